// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/entrybox.h"

#include <QAccessibleWidget>

#include <algorithm>

namespace {

class EntryAccessible : public QAccessibleWidget,
                        public QAccessibleTextInterface,
                        public QAccessibleEditableTextInterface {
public:
    explicit EntryAccessible(QLineEdit* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return box()->text();
        return QAccessibleWidget::text(t);
    }

    void setText(QAccessible::Text t, const QString& text) override
    {
        if (t == QAccessible::Value)
            box()->setText(text);
        else
            QAccessibleWidget::setText(t, text);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = box()->isReadOnly();
        state.editable = !box()->isReadOnly();
        state.selectableText = true;
        return state;
    }

    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        if (index == 0 && box()->hasSelectedText()) {
            *start = box()->selectionStart();
            *end = *start + static_cast<int>(box()->selectedText().size());
        }
    }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { box()->setSelection(start, end - start); }
    void removeSelection(int index) override
    {
        if (index == 0)
            box()->deselect();
    }
    void setSelection(int index, int start, int end) override
    {
        if (index == 0)
            box()->setSelection(start, end - start);
    }
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    QString text(int start, int end) const override
    {
        return box()->text().mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(box()->text().size()); }
    QRect characterRect(int offset) const override
    {
        // Measured from the text cursor, one average character wide.
        const QLineEdit& b = *box();
        const int x = b.inputMethodQuery(Qt::ImCursorRectangle).toRect().x();
        const int from = b.cursorPosition();
        const QFontMetrics metrics = b.fontMetrics();
        const int left = offset >= from
                             ? x + metrics.horizontalAdvance(b.text().mid(from, offset - from))
                             : x - metrics.horizontalAdvance(b.text().mid(offset, from - offset));
        const QRect local(left, (b.height() - metrics.height()) / 2, metrics.averageCharWidth(),
                          metrics.height());
        return QRect(b.mapToGlobal(local.topLeft()), local.size());
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int start, int end) override
    {
        box()->setCursorPosition(end);
        box()->setCursorPosition(start);
    }
    QString attributes(int offset, int* start, int* end) const override
    {
        // No attributes: one run over the whole text.
        *start = 0;
        *end = std::max(characterCount(), offset);
        return {};
    }

    void deleteText(int start, int end) override
    {
        box()->setSelection(start, end - start);
        box()->del();
    }
    void insertText(int offset, const QString& text) override
    {
        box()->setCursorPosition(offset);
        box()->insert(text);
    }
    void replaceText(int start, int end, const QString& text) override
    {
        box()->setSelection(start, end - start);
        box()->insert(text);
    }

private:
    QLineEdit* box() const { return static_cast<QLineEdit*>(widget()); }
};

QAccessibleInterface* entryAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String(EntryBox::staticMetaObject.className()) &&
        object->isWidgetType())
        return new EntryAccessible(static_cast<QLineEdit*>(object));
    return nullptr;
}

void installEntryAccessible()
{
    QAccessible::installFactory(entryAccessible);
}

Q_COREAPP_STARTUP_FUNCTION(installEntryAccessible)

}  // namespace

EntryBox::EntryBox(const QString& text, QWidget* parent) : QLineEdit(text, parent)
{
}

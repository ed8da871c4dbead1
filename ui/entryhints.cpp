// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/entryhints.h"

#include "core/numbertext.h"

#include <QLineEdit>
#include <QWidget>

#include <algorithm>
#include <charconv>
#include <string>

namespace {

// The background of a box whose text was not read whole: warm, and unlike the pink of
// the entries, so that it shows from the back of a classroom.
const QColor hintTint(255, 224, 112);

constexpr const char* plainBaseProperty = "plainBaseColour";

bool isLetter(QChar c)
{
    return c.isLetter();
}

bool startsNumber(const QString& rest)
{
    const QChar first = rest.front();
    if (first.isDigit())
        return true;
    return (first == u'.' || first == u'+' || first == u'-') && rest.size() > 1 &&
           (rest[1].isDigit() || rest[1] == u'.');
}

// The value as a student would write it in a box: the point as separator, no more
// digits than it takes.
QString written(double value)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return QString::fromLatin1(text, static_cast<qsizetype>(end - text));
}

QString quoted(QString text)
{
    constexpr qsizetype longest = 20;
    if (text.size() > longest)
        text = text.left(longest) + QStringLiteral("…");
    return QStringLiteral("\"") + text + QStringLiteral("\"");
}

}  // namespace

std::optional<QString> entryHint(const QString& text)
{
    // An empty box runs as 0 like a text with no number, though nothing in it shows why.
    // Blanks, tabs and line feeds are skipped by the reading, so they leave it empty too.
    if (std::all_of(text.begin(), text.end(),
                    [](QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }))
        return QStringLiteral("Letto come 0: casella vuota");
    const std::string utf8 = text.toStdString();
    const std::size_t read = readLength(utf8);
    if (read == utf8.size())
        return std::nullopt;
    const std::optional<double> value = readNumber(utf8);
    // A number too large for a double is refused by the run with its own message.
    if (!value)
        return std::nullopt;
    const QString done = QString::fromStdString(utf8.substr(0, read)).trimmed();
    const QString rest = QString::fromStdString(utf8.substr(read)).trimmed();
    const QString readAs = QStringLiteral("Letto come %1: ").arg(written(*value));

    if (done.isEmpty())
        return readAs + QStringLiteral("il testo non inizia con un numero");
    if (rest.size() > 1 && rest.front() == u',' && rest[1].isDigit())
        return readAs + QStringLiteral("il separatore decimale è il punto (%1)")
                            .arg(done + QLatin1Char('.') + rest.mid(1));
    if (isLetter(rest.front()))
        return readAs +
               QStringLiteral("le lettere dopo il numero sono ignorate (%1)").arg(quoted(rest));
    if (startsNumber(rest))
        return readAs + QStringLiteral("si legge un solo numero per casella, %1 è ignorato")
                            .arg(quoted(rest));
    return readAs + QStringLiteral("quanto segue il numero è ignorato (%1)").arg(quoted(rest));
}

void showEntryHints(QWidget& window)
{
    // The entry boxes stand directly on the window; the drop-down's own text field
    // belongs to the drop-down.
    for (QLineEdit* box : window.findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly)) {
        const std::optional<QString> hint = entryHint(box->text());
        QPalette colours = box->palette();
        if (!box->property(plainBaseProperty).isValid())
            box->setProperty(plainBaseProperty, colours.color(QPalette::Base));
        colours.setColor(QPalette::Base,
                         hint ? hintTint : box->property(plainBaseProperty).value<QColor>());
        box->setPalette(colours);
        box->setToolTip(hint.value_or(QString()));
    }
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/computationmodule.h"
#include "core/signaltype.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "ui/plotwidget.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

// What the message boxes opened during an action showed.
struct MessagesSeen {
    QStringList texts;
    QStringList titles;
    // Whether every box had exactly one button, OK.
    bool onlyOk = true;
};

// Runs `action`, answering every modal message box it opens with OK, as a user would.
inline MessagesSeen acceptMessages(const std::function<void()>& action)
{
    MessagesSeen seen;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.texts << box->text();
        seen.titles << box->windowTitle();
        const auto buttons = box->buttons();
        seen.onlyOk = seen.onlyOk && buttons.size() == 1 &&
                      box->standardButton(buttons.front()) == QMessageBox::Ok;
        buttons.front()->click();
    });
    poll.start();
    action();
    poll.stop();
    return seen;
}

// Lets the windows closed so far be deleted, as the event loop would.
inline void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// The top-level window with this object name that has not been closed, if any.
template <typename Window>
Window* openWindow(const char* name)
{
    settle();
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String(name))
            return qobject_cast<Window*>(widget);
    return nullptr;
}

// The program as it starts: one computation module and the parameter window, shown.
struct Program {
    ComputationModule module;
    std::unique_ptr<Form1> form1 = std::make_unique<Form1>(module);

    Program() { form1->show(); }
    ~Program()
    {
        form1.reset();
        settle();
    }

    template <typename Control = QWidget>
    Control* control(const char* name) const
    {
        return form1->findChild<Control*>(QLatin1String(name));
    }

    void type(const char* box, const QString& text) const
    {
        control<QLineEdit>(box)->setText(text);
    }

    void chooseSignal(int item) const { control<QComboBox>("Combo1")->setCurrentIndex(item); }

    // A click on "Grafici", and the run it starts carried to its end (a long run ends
    // behind the progress dialog after the click has returned); returns the messages
    // it showed.
    MessagesSeen grafici() const
    {
        return acceptMessages([this] {
            control<QAbstractButton>("Command2")->click();
            while (form1->runExecutor().running())
                QTest::qWait(5);
        });
    }

    Form2* waveform() const { return openWindow<Form2>("Form2"); }
    Form3* spectrum() const { return openWindow<Form3>("Form3"); }
};

constexpr const char* sineItem = sineSignalItem.data();
constexpr const char* pulseItem = pulseSignalItem.data();

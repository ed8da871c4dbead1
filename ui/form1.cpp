// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/form1.h"

#include "core/numberformat.h"
#include "core/signaltype.h"
#include "plot/plotdrawing.h"
#include "ui/captionlabel.h"
#include "ui/commandbutton.h"
#include "ui/entrybox.h"
#include "ui/entryhints.h"
#include "ui/focusmark.h"
#include "ui/fonts.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "ui/icons.h"
#include "ui/localenumbers.h"
#include "ui/messagebox.h"
#include "ui/plotwidget.h"
#include "ui/twips.h"
#include "ui/windowplacement.h"
#include "ui/zoom.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QShortcut>

namespace {

enum class Kind { button, entry, label, option, dropDown };

// The window's controls in tab order, which is also the order of creation: Qt moves
// the focus in creation order, and labels take no focus. An entry box takes its
// initial text from the field of a run request that it supplies.
struct Control {
    Kind kind;
    const char* name;
    const char* caption;
    std::string RunEntries::*field;
    QRect place;
};

constexpr const char* description =
    "Segnale sinusoidale o a impulsi rettangolari affetto da disturbo sinusoidale. "
    "Elimnazione del disturbo annullando le componenti spettrali del disturbo";
constexpr const char* credit = "Filtro DFT didattico";

const Control controls[] = {
    {Kind::button, "Command2", "Grafici", nullptr, twipRect(600, 4320, 1935, 495)},
    {Kind::entry, "Text13", nullptr, &RunEntries::sampleCount, twipRect(4680, 600, 1935, 375)},
    {Kind::label, "Label48", "N", nullptr, twipRect(4320, 600, 255, 255)},
    {Kind::label, "Label56", "Numero campioni", nullptr, twipRect(6720, 720, 1935, 255)},
    {Kind::label, "Label67", credit, nullptr, twipRect(12480, 4800, 1575, 285)},
    {Kind::entry, "Text1", nullptr, &RunEntries::windowTime, twipRect(600, 1080, 1935, 375)},
    {Kind::label, "Label1", "W", nullptr, twipRect(120, 1200, 255, 255)},
    {Kind::entry, "Text2", nullptr, &RunEntries::stopLowFreq, twipRect(600, 1680, 1935, 375)},
    {Kind::label, "Label3", "fi", nullptr, twipRect(120, 1800, 375, 255)},
    {Kind::label, "Label4", "[Hz]", nullptr, twipRect(2640, 1800, 495, 255)},
    {Kind::option, "Option1", "Filtro ON", nullptr, twipRect(600, 2880, 1575, 375)},
    {Kind::option, "Option2", "Filtro OFF", nullptr, twipRect(600, 3480, 1815, 495)},
    {Kind::entry, "Text3", nullptr, &RunEntries::signalFreq, twipRect(4680, 1080, 1935, 375)},
    {Kind::label, "Label2", "[Hz]", nullptr, twipRect(6720, 1200, 615, 255)},
    {Kind::label, "Label5", "f segnale", nullptr, twipRect(3720, 1200, 855, 255)},
    {Kind::entry, "Text4", nullptr, &RunEntries::dutyCycle, twipRect(600, 600, 1935, 375)},
    {Kind::label, "Label6", "r", nullptr, twipRect(120, 600, 255, 255)},
    {Kind::entry, "Text6", nullptr, &RunEntries::stopHighFreq, twipRect(600, 2280, 1935, 375)},
    {Kind::label, "Label12", "fs", nullptr, twipRect(120, 2280, 375, 375)},
    {Kind::label, "Label13", "[Hz]", nullptr, twipRect(2640, 2400, 615, 255)},
    {Kind::entry, "Text7", nullptr, &RunEntries::noiseFreq, twipRect(10440, 1080, 1935, 375)},
    {Kind::label, "Label14", "f disturbo  sinusoidale", nullptr, twipRect(9120, 1080, 1095, 495)},
    {Kind::label, "Label7", description, nullptr, twipRect(240, 120, 14295, 255)},
    {Kind::dropDown, "Combo1", signalTypeInstruction.data(), nullptr,
     twipRect(7560, 3120, 6495, 420)},
    {Kind::label, "Label8", "Casella per la scelta del segnale:", nullptr,
     twipRect(7560, 2880, 2895, 255)},
    {Kind::entry, "Text5", nullptr, &RunEntries::noiseAmplitude, twipRect(10440, 600, 1935, 375)},
    {Kind::label, "Label9", "Ampiezza di picco disturbo", nullptr, twipRect(9120, 600, 1215, 375)},
    {Kind::label, "Label10", "[sec]", nullptr, twipRect(2640, 1080, 495, 255)},
    {Kind::label, "Label11", "[Hz]", nullptr, twipRect(12480, 1200, 495, 255)},
    {Kind::entry, "Text8", nullptr, &RunEntries::signalAmplitude, twipRect(4680, 1560, 1935, 405)},
    {Kind::label, "Label15", "Ampiezza di picco segnale", nullptr, twipRect(3360, 1560, 1215, 375)},
    {Kind::label, "Label16", "[V]", nullptr, twipRect(12480, 720, 495, 255)},
    {Kind::label, "Label17", "[V]", nullptr, twipRect(6720, 1680, 495, 255)},
    {Kind::entry, "Text9", nullptr, &RunEntries::signalOffset, twipRect(4680, 2040, 1935, 375)},
    {Kind::label, "Label18", "Comp. cont. segnale", nullptr, twipRect(3360, 2040, 1215, 375)},
    {Kind::entry, "Text10", nullptr, &RunEntries::freqAxisZoom, twipRect(4680, 2640, 1935, 375)},
    {Kind::label, "Label19", "Espansione asse frequenze", nullptr, twipRect(3240, 2640, 1335, 375)},
    {Kind::label, "Label20", "Spettro valido solo con valori interi di W, f segnale , f disturbo!",
     nullptr, twipRect(3240, 4440, 5655, 375)},
};

// What a screen reader says for each entry and the drop-down: the caption of the label
// beside it and the unit the label right of it shows, as a word, e.g. "W, secondi"
// for "W" and "[sec]"; for N the words beside it as its description.
struct Spoken {
    const char* control;
    const char* caption;
    const char* unit;
    const char* description;
};

const Spoken spoken[] = {
    {"Text13", "Label48", nullptr, "Label56"}, {"Text1", "Label1", "secondi", nullptr},
    {"Text2", "Label3", "hertz", nullptr},     {"Text3", "Label5", "hertz", nullptr},
    {"Text4", "Label6", nullptr, nullptr},     {"Text6", "Label12", "hertz", nullptr},
    {"Text7", "Label14", "hertz", nullptr},    {"Combo1", "Label8", nullptr, nullptr},
    {"Text5", "Label9", "volt", nullptr},      {"Text8", "Label15", "volt", nullptr},
    {"Text9", "Label18", nullptr, nullptr},    {"Text10", "Label19", nullptr, nullptr},
};

// The captions as a screen reader should say them: one blank between words, and no
// colon that only points at the box below. A screen reader on Linux says the label of
// a control that has one in place of its name, so only the drop-down, whose name there
// is the text in its field, has its caption's label as its buddy (no caption has a
// mnemonic, so the buddy changes no key); an entry's label would hide its unit.
void nameEntries(QWidget& window)
{
    auto label = [&window](const char* name) {
        return window.findChild<QLabel*>(QLatin1String(name));
    };
    auto text = [&label](const char* name) {
        QString caption = label(name)->text().simplified();
        if (caption.endsWith(':'))
            caption.chop(1);
        return caption;
    };
    for (const Spoken& s : spoken) {
        auto* control = window.findChild<QWidget*>(QLatin1String(s.control));
        control->setAccessibleName(s.unit ? text(s.caption) + QStringLiteral(", ") +
                                                QLatin1String(s.unit)
                                          : text(s.caption));
        if (s.description)
            control->setAccessibleDescription(text(s.description));
        if (qobject_cast<QComboBox*>(control))
            label(s.caption)->setBuddy(control);
    }
}

const QColor entryPink(255, 192, 192);
const QColor creditCyan(192, 255, 255);

void paintBase(QWidget* widget, QColor colour)
{
    QPalette colours = widget->palette();
    colours.setColor(QPalette::Base, colour);
    colours.setColor(QPalette::Text, Qt::black);
    widget->setPalette(colours);
}

}  // namespace

Form1::Form1(ComputationModule& module, QWidget* parent)
    : QWidget(parent), m_module(module), m_zoom(new Zoom(this))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(applicationTitle);
    setWindowIcon(alarmClockIcon());
    setFont(windowFont(8.25, true));
    resize(twips(14280), twips(5205));

    const RunEntries defaults;
    QWidget* runButton = nullptr;
    for (const Control& c : controls) {
        QWidget* widget = nullptr;
        const QString caption = QString::fromUtf8(c.caption ? c.caption : "");
        switch (c.kind) {
        case Kind::button: {
            auto* button = new CommandButton(caption, entryPink, this);
            connect(button, &QPushButton::clicked, this, &Form1::Command2_Click);
            widget = runButton = button;
            break;
        }
        case Kind::entry: {
            auto* box = new EntryBox(QString::fromStdString(defaults.*c.field), this);
            paintBase(box, entryPink);
            m_entries.emplace_back(c.field, box);
            widget = box;
            break;
        }
        case Kind::label: {
            widget = captionLabel(caption, this);
            break;
        }
        case Kind::option: {
            auto* option = new QRadioButton(caption, this);
            (m_filterOn ? m_filterOff : m_filterOn) = option;
            widget = option;
            break;
        }
        case Kind::dropDown: {
            m_signalType = new QComboBox(this);
            m_signalType->setEditable(true);
            // Typing and Enter must not add items: the list holds the signals only.
            m_signalType->setInsertPolicy(QComboBox::NoInsert);
            for (const auto& [type, item] : signalTypeItems)
                m_signalType->addItem(
                    QString::fromUtf8(item.data(), static_cast<int>(item.size())));
            m_signalType->setCurrentIndex(-1);
            m_signalType->setEditText(caption);
            m_signalType->setFont(windowFont(12, true));
            paintBase(m_signalType, entryPink);
            widget = m_signalType;
            break;
        }
        }
        widget->setObjectName(QString::fromUtf8(c.name));
        widget->setGeometry(c.place);
    }
    m_filterOn->setChecked(true);
    nameEntries(*this);

    auto* creditLabel = findChild<QLabel*>(QStringLiteral("Label67"));
    creditLabel->setFont(windowFont(8.25, false));
    creditLabel->setAlignment(Qt::AlignCenter);
    creditLabel->setAutoFillBackground(true);
    QPalette creditColours = creditLabel->palette();
    creditColours.setColor(QPalette::Window, creditCyan);
    creditColours.setColor(QPalette::WindowText, Qt::black);
    creditLabel->setPalette(creditColours);

    runButton->setFocus();
    showFocusFromTheStart(*this);
    addGuideKey(*this, GuideWindow::Section::parameters);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && now->window() == this &&
            (qobject_cast<QLineEdit*>(now) || qobject_cast<QComboBox*>(now)))
            m_lastEntry = now;
    });

    m_zoom->follow(*this);
    placeAtTop(*this, *m_zoom);
}

Form1::~Form1()
{
    delete m_waveformWindow.data();
    delete m_spectrumWindow.data();
    delete m_guide.data();
}

Form2& Form1::waveformWindow()
{
    if (!m_waveformWindow) {
        m_waveformWindow = new Form2(m_module);
        connect(m_waveformWindow, &Form2::closing, this, [this] { m_waveformWindow = nullptr; });
        connect(m_waveformWindow, &Form2::spectrumRequested, this, &Form1::showSpectrumWindow);
        addGuideKey(*m_waveformWindow, GuideWindow::Section::waveforms);
        m_zoom->follow(*m_waveformWindow);
        addEntriesKey(*m_waveformWindow);
        placeOnFirstShow(*m_waveformWindow, *m_zoom, *this);
    }
    return *m_waveformWindow;
}

Form3& Form1::spectrumWindow()
{
    if (!m_spectrumWindow) {
        m_spectrumWindow = new Form3(m_module);
        connect(m_spectrumWindow, &Form3::closing, this, [this] { m_spectrumWindow = nullptr; });
        addGuideKey(*m_spectrumWindow, GuideWindow::Section::spectrum);
        m_zoom->follow(*m_spectrumWindow);
        addEntriesKey(*m_spectrumWindow);
        placeOnFirstShow(*m_spectrumWindow, *m_zoom, *this);
    }
    return *m_spectrumWindow;
}

void Form1::addEntriesKey(QWidget& window)
{
    // F2 is taken by no desktop, and renames nothing in a window without files.
    auto* entries = new QAction(QStringLiteral("Parametri"), &window);
    entries->setShortcut(QKeySequence(Qt::Key_F2));
    entries->setShortcutContext(Qt::WindowShortcut);
    connect(entries, &QAction::triggered, this, &Form1::showEntries);
    window.addAction(entries);
}

void Form1::showEntries()
{
    show();
    raise();
    activateWindow();
    QWidget* entry =
        m_lastEntry ? m_lastEntry.data() : findChild<QLineEdit*>(QStringLiteral("Text13"));
    entry->setFocus(Qt::ShortcutFocusReason);
}

void Form1::showWaveformWindow()
{
    Form2& window = waveformWindow();
    window.show();
    window.raise();
    // The student goes on typing in the parameter window while the waveform window
    // shows beside it; where it hides the entries, the keyboard follows it, so that no
    // keystroke lands in a box nobody can see.
    if (coversFocusableControls(window, *this))
        window.activateWindow();
}

void Form1::showSpectrumWindow()
{
    if (m_module.requestSpectrumWindow()) {
        showRefusal(m_waveformWindow ? static_cast<QWidget*>(m_waveformWindow) : this);
        return;
    }
    Form3& spectrum = spectrumWindow();
    spectrum.show();
    spectrum.raise();
    spectrum.activateWindow();
}

void Form1::showGuide(GuideWindow::Section section)
{
    if (!m_guide) {
        m_guide = new GuideWindow;
        m_guide->followZoom(*m_zoom);
    }
    m_guide->showSection(section);
}

void Form1::addGuideKey(QWidget& window, GuideWindow::Section section)
{
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), &window);
    connect(key, &QShortcut::activated, this, [this, section] { showGuide(section); });
}

RunRequest Form1::readRequest() const
{
    RunRequest request;
    for (const auto& [field, box] : m_entries)
        request.entries.*field = box->text().toStdString();
    request.signalTypeText = m_signalType->currentText().toStdString();
    request.filterOnSelected = m_filterOn->isChecked();
    request.filterOffSelected = m_filterOff->isChecked();
    return request;
}

void Form1::Command2_Click()
{
    // A run behind the progress dialog takes no input; a click that comes from a
    // program all the same changes nothing.
    if (m_runExecutor.running())
        return;
    // Boxes whose text the run does not read whole are marked, whatever the outcome.
    showEntryHints(*this);

    auto checked = m_module.checkRun(readRequest());
    if (const auto* refused = std::get_if<RunOutcome>(&checked)) {
        showOutcome(*refused);
        return;
    }
    m_runExecutor.start(std::get<std::unique_ptr<RunJob>>(std::move(checked)),
                        [this](std::unique_ptr<RunJob> job, bool completed) {
                            showOutcome(m_module.finishRun(std::move(job), completed));
                        });
}

void Form1::showOutcome(const RunOutcome& outcome)
{
    switch (outcome.kind) {
    case RunOutcome::Kind::refused:
        showRefusal(this);
        return;
    case RunOutcome::Kind::cancelled:
        return;
    case RunOutcome::Kind::completed:
        break;
    }
    PlotWidget& waveform = waveformWindow().plot();
    PlotWidget& spectrum = spectrumWindow().plot();
    waveform.clear();
    spectrum.clear();
    showWaveformWindow();
    drawRun(*outcome.run, waveform, spectrum);
    // At a new size each plot draws its part of the run again.
    waveform.setRedraw([run = outcome.run](PlotSurface& surface) {
        drawRunPlot(*run, RunPlot::waveform, surface);
    });
    spectrum.setRedraw([run = outcome.run](PlotSurface& surface) {
        drawRunPlot(*run, RunPlot::spectrum, surface);
    });
    spectrumWindow().setDcReadout(QString::fromStdString(
        formatScientific2(m_module.dcComponent(), localeDecimalSeparator())));
}

void Form1::showRefusal(QWidget* parent)
{
    showMessage(parent, m_module.messageText());
}

void Form1::closeEvent(QCloseEvent* event)
{
    // No window of the program stays open without the parameter window.
    if (m_waveformWindow)
        m_waveformWindow->close();
    if (m_spectrumWindow)
        m_spectrumWindow->close();
    if (m_guide)
        m_guide->close();
    event->accept();
}

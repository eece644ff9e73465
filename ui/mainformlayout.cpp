// SPDX-License-Identifier: MIT
// Every control of the main window at its pixel place, with its caption,
// colours and font. Where two neighbours would share their edge pixel, or a
// caption in the installed fonts runs into its field, the one placed later
// gives way by those pixels: no control covers another but Edit4 the two
// check boxes it hides.
#include "ui/mainform.h"

#include "model/groups.h"
#include "scenes/numbertext.h"
#include "ui/buttonlooks.h"
#include "ui/lamp.h"
#include "view/colours.h"
#include "view/drawingarea.h"
#include "view/numericfield.h"
#include "view/stringgrid.h"
#include "view/viewcommands.h"
#include "view/standinfont.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>

namespace {

constexpr int Panel1Width = 243;

template <class Control>
Control* Place(Control* control, const char* name, int left, int top, int width = -1, int height = -1)
{
    control->setObjectName(QString::fromLatin1(name));
    if (width < 0) {
        control->adjustSize();
        control->move(left, top);
    } else {
        control->setGeometry(left, top, width, height);
    }
    return control;
}

void Colour(QWidget* control, const QColor& background, const QColor& text)
{
    QPalette palette = control->palette();
    if (background.isValid()) {
        control->setAutoFillBackground(true);
        palette.setColor(QPalette::Window, background);
        // Fields fill with Base; buttons keep it for their indicator.
        if (qobject_cast<QLineEdit*>(control))
            palette.setColor(QPalette::Base, background);
        else
            palette.setColor(QPalette::Button, background);
    }
    if (text.isValid()) {
        palette.setColor(QPalette::WindowText, text);
        palette.setColor(QPalette::Text, text);
        palette.setColor(QPalette::ButtonText, text);
    }
    control->setPalette(palette);
}

QRadioButton* ModeSwitch(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                         int height, const QColor& background, const QColor& text, int points)
{
    auto* button = Place(new QRadioButton(caption, parent), name, left, top, width, height);
    button->setFont(StandInFont(QStringLiteral("Times New Roman"), points, true));
    Colour(button, background, text);
    return button;
}

QPushButton* PadButton(QWidget* parent, const char* name, const QString& glyph, int left, int top, int width,
                       int height)
{
    auto* button = Place(new QPushButton(glyph, parent), name, left, top, width, height);
    button->setFont(ArrowFont(12));
    return button;
}

void Exclusive(QObject* owner, std::initializer_list<QAbstractButton*> buttons)
{
    auto* group = new QButtonGroup(owner);
    for (QAbstractButton* button : buttons)
        group->addButton(button);
}

QLabel* Caption(QWidget* parent, const QString& text, int left, int top)
{
    auto* label = new QLabel(text, parent);
    label->adjustSize();
    label->move(left, top);
    return label;
}

} // namespace

void TMainForm::BuildModeSwitches()
{
    QWidget* area = Drawing;
    RadioButton3 =
        ModeSwitch(area, "RadioButton3", QStringLiteral("AtomStand "), 0, 0, 112, 33, Colours::Lime, Colours::Blue, 14);
    RadioGroup3 = Place(new QGroupBox(area), "RadioGroup3", 136, 0, 225, 17);
    HotContact = ModeSwitch(area, "HotContact", QStringLiteral("\"Hot\" contact potential"), 112, 0, 184, 16,
                            Colours::Red, Qt::black, 11);
    ColdContact = ModeSwitch(area, "ColdContact", QStringLiteral("\"Cold\" contact potential"), 112, 16, 184, 17,
                             Colours::Blue, Qt::white, 11);
    ElecCurrent1 = ModeSwitch(area, "ElecCurrent1", QStringLiteral("(1)ElCurrent=>=>"), 296, 0, 144, 16,
                              Colours::Maroon, Colours::Yellow, 11);
    ElecCurrent2 = ModeSwitch(area, "ElecCurrent2", QStringLiteral("(2)ElCurrent=><="), 296, 16, 144, 17,
                              Colours::Green, Colours::Yellow, 11);
    RadioButton3->setChecked(true);
    // A group of their own: left to sibling order, the scope switches in the
    // bottom panel would count as a sixth mode, and a checked mode could be
    // clicked off.
    Exclusive(this, {RadioButton3, HotContact, ColdContact, ElecCurrent1, ElecCurrent2});

    // Edit4 is declared last and so lies in front of both check boxes; they
    // are still reached with Tab and switched with Space.
    Functions3X1 = Place(new QCheckBox(QStringLiteral("Functions3X1"), area), "Functions3X1", 448, 0, 25, 9);
    Blockade = Place(new QCheckBox(QStringLiteral("Blockade"), area), "Blockade", 456, 0, 33, 9);
    Edit4 = Place(new QLineEdit(area), "Edit4", 440, 0, 57, 21);
    Colour(Edit4, Colours::Lime, QColor());
}

void TMainForm::BuildBottomPanel()
{
    Pan = Place(new QFrame(Drawing), "Pan", 0, 0, 854, PanHeight);
    static_cast<QFrame*>(Pan)->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Pan->setAutoFillBackground(true);

    PageControl = Place(new QTabWidget(Pan), "PageControl", 2, 0, 349, 152);
    // Narrow tabs, so the scope switches in front of the tab row leave them readable.
    PageControl->tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 2px 5px; }"));
    auto* listingPage = new QWidget;
    auto* commentaryPage = new QWidget;
    PageControl->addTab(listingPage, QStringLiteral("Listing"));
    PageControl->addTab(commentaryPage, QStringLiteral("Commentary"));

    DaonsTable = Place(new StringGrid(4, SlotCount + 1, 80, 18, listingPage), "DaonsTable", 0, -2, 349, 125);
    connect(DaonsTable, &StringGrid::DoubleClicked, this, &TMainForm::DaonsTableDblClick);

    Comment = Place(new QPlainTextEdit(QStringLiteral("No Comment"), commentaryPage), "Comment", 0, 0, 341, 123);
    Comment->installEventFilter(this);
    connect(Comment, &QPlainTextEdit::textChanged, this, &TMainForm::CommentChange);

    FName = Place(new QLineEdit(QStringLiteral("File Name"), Pan), "FName", 0, 153, 353, 21);
    FName->setFont(StandInFont(QStringLiteral("MS Sans Serif"), 8, true));
    Colour(FName, Colours::Silver, Colours::Blue);

    // Declared after the page control, so they lie in front of its tab row.
    RadioGroup2 = Place(new QGroupBox(Pan), "RadioGroup2", 120, 0, 209, 17);
    Gravoscope = Place(new QRadioButton(QStringLiteral("Gravoscope"), Pan), "Gravoscope", 120, 0, 128, 17);
    Taoscope = Place(new QRadioButton(QStringLiteral("Taoscope"), Pan), "Taoscope", 248, 0, 113, 17);
    Gravoscope->setChecked(true);
    Exclusive(this, {Gravoscope, Taoscope});
}

void TMainForm::BuildControlPanel()
{
    Panel1 = Place(new QFrame(Pan), "Panel1", 854 - Panel1Width, 0, Panel1Width, PanHeight);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setFont(StandInFont(QStringLiteral("Times New Roman"), 10, true));

    ShowList = Place(new QCheckBox(QStringLiteral("Show Listing"), Panel1), "ShowList", 16, 0, 97, 16);
    Colour(ShowList, QColor(), Colours::Navy);
    QLabel* timeCaption = Caption(Panel1, QStringLiteral("Time:"), 0, 16);
    Colour(timeCaption, QColor(), Colours::Navy);
    const int timeLeft = std::max(32, timeCaption->geometry().right() + 1);
    LTime = Place(new QLabel(QStringLiteral("0"), Panel1), "LTime", timeLeft, 16, 112 - timeLeft, 16);
    LTime->setFont(StandInFont(QStringLiteral("MS Sans Serif"), 8, true));
    LTime->installEventFilter(this);
    QLabel* dtCaption = Caption(Panel1, QStringLiteral("dt="), 0, 36);
    dtCaption->setObjectName(QStringLiteral("DtLabel"));
    const int dtLeft = std::max(16, dtCaption->geometry().right() + 1);
    EditDT = Place(new QLineEdit(QStringLiteral("0"), Panel1), "EditDT", dtLeft, 32, 64 - dtLeft, 23);
    EditDT->setFont(StandInFont(QStringLiteral("Times New Roman"), 10));
    NumericKeyGuard::Attach(EditDT);
    Cool = Place(new QCheckBox(QStringLiteral("Cool"), Panel1), "Cool", 64, 32, 49, 17);
    Colour(Cool, Qt::black, Qt::white);

    TrackBar = Place(new QSlider(Qt::Horizontal, Panel1), "TrackBar", 0, 56, 121, 25);
    TrackBar->setRange(TrackBarMin, TrackBarMax);
    TrackBar->setValue(TrackBarStart);
    TrackBar->setTickInterval(1);
    TrackBar->setPageStep(1);
    TrackBar->setTickPosition(QSlider::TicksBelow);
    TrackBar->setToolTip(QStringLiteral("Amplitude"));

    // The turn pad: arrows stand in for the symbol-font glyphs, in the same places.
    DaoBack = PadButton(Panel1, "DaoBack", QStringLiteral("\u2B08"), 4, 83, 37, 22);
    DaoTeta = PadButton(Panel1, "DaoTeta", QStringLiteral("\u21E7"), 44, 83, 23, 22);
    DaoPsi = PadButton(Panel1, "DaoPsi", QStringLiteral("\u2B00"), 68, 83, 23, 22);
    Null00 = Place(new QPushButton(QStringLiteral("0"), Panel1), "Null00", 0, 105, 17, 22);
    Null00->setFont(StandInFont(QStringLiteral("Arial"), 12, true));
    Null00->setToolTip(QStringLiteral("Make null of velocity"));
    DaoPhi = PadButton(Panel1, "DaoPhi", QStringLiteral("\u21E6"), 20, 107, 23, 22);
    DaoStop = PadButton(Panel1, "DaoStop", QString(), 44, 107, 23, 22);
    DaoPhi1 = PadButton(Panel1, "DaoPhi1", QStringLiteral("\u21E8"), 68, 107, 23, 22);
    DaoForvard = PadButton(Panel1, "DaoForvard", QStringLiteral("\u2B0B"), 4, 131, 37, 22);
    DaoTeta1 = PadButton(Panel1, "DaoTeta1", QStringLiteral("\u21E9"), 44, 131, 23, 22);
    DaoPsi1 = PadButton(Panel1, "DaoPsi1", QStringLiteral("\u2B03"), 68, 131, 23, 22);

    ShapeRed = Place(new Lamp(Panel1), "ShapeRed", 96, 136, 17, 17);
    ShapeLime = Place(new Lamp(Panel1), "ShapeLime", 94, 160, 19, 17);
    Go = Place(new QPushButton(QStringLiteral("Go"), Panel1), "Go", 3, 153, 86, 24);
    Go->setEnabled(false);

    BuildCoefficientGrid();
    ShowRunningLook(false);
}

void TMainForm::BuildCoefficientGrid()
{
    static constexpr int Columns[] = {136, 176, 216};
    for (int group = 0; group < GroupCount; ++group)
        for (int row = 0; row < CoefficientRows; ++row) {
            const int index = CoefficientRows * group + row;
            const QByteArray name = QByteArray("Edit") + CoefficientLetters[row] + QByteArray::number(group + 1);
            auto* edit = Place(new QLineEdit(FloatToText(StartingCoefficients[row]), Panel1), name.constData(),
                               Columns[group], 24 * row, 25, 23);
            edit->setFont(StandInFont(QStringLiteral("Times New Roman"), 10));
            Colour(edit, QColor(Colours::GroupColours[group]), QColor());
            NumericKeyGuard::Attach(edit);
            CoefficientEdits[index] = edit;
        }
    // Each caption ends where its field begins; the track bar ends before them.
    const auto caption = [this](const QString& text, int field, int top) {
        QLabel* label = Caption(Panel1, text, 0, top);
        label->move(field - label->width(), top);
        return label->x();
    };
    int captionsLeft = Columns[0];
    for (int row = 0; row < CoefficientRows; ++row)
        captionsLeft = std::min(captionsLeft, caption(QStringLiteral("%1%2").arg(QLatin1Char(CoefficientLetters[row])).arg(1),
                                                      Columns[0], 24 * row + 4));
    caption(QStringLiteral("2"), Columns[1], 4);
    caption(QStringLiteral("3"), Columns[2], 4);
    TrackBar->resize(std::min(TrackBar->width(), captionsLeft), TrackBar->height());

    static constexpr struct {
        const char* name;
        int left;
        int width;
    } Ranges[] = {{"Edit1", 136, 32}, {"Edit2", 168, 32}, {"Edit3", 200, 41}};
    for (int group = 0; group < GroupCount; ++group) {
        auto* range = Place(new QLineEdit(QString::fromStdString(GroupRangeText(group + 1)), Panel1),
                            Ranges[group].name, Ranges[group].left, 152, Ranges[group].width, 22);
        range->setFont(StandInFont(QStringLiteral("MS Sans Serif"), 8));
        Colour(range, QColor(Colours::GroupColours[group]), QColor());
    }
}

QSize TMainForm::MinimumDrawingSize() const
{
    // The mode switches above the bottom panel, the scope switches left of
    // the control panel.
    QRect modes;
    for (const QWidget* control : Drawing->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (control != Pan)
            modes |= control->geometry();
    return {std::max(modes.right() + 1, Taoscope->geometry().right() + 1 + Panel1Width), modes.bottom() + 1 + PanHeight};
}

void TMainForm::FormResize()
{
    const int width = Drawing->width();
    const int height = Drawing->height();
    Pan->setGeometry(0, height - PanHeight, width, PanHeight);
    Panel1->move(width - Panel1Width, 0);
    const int left = Panel1->x();
    FName->resize(left - 2, FName->height());
    Comment->resize(left - 2, PageControl->height() - 29);
    PageControl->resize(left - 5, PageControl->height());
    DaonsTable->resize(left - 7, DaonsTable->height());
    const int columnWidth = (left - 35) / 6;
    DaonsTable->horizontalHeader()->setDefaultSectionSize(std::max(columnWidth, 0));
    Drawing->SetDrawingHeight(Pan->y());
    view_.UpdateCenter(width, Pan->y());
    Drawing->RedrawView();
}

// SPDX-License-Identifier: MIT
#include "editor/editdlg.h"

#include "model/groups.h"
#include "scenes/numbertext.h"
#include "view/stringgrid.h"
#include "scenes/guard.h"
#include "view/numericfield.h"
#include "view/colours.h"
#include "view/standinfont.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>

#include <algorithm>

namespace {

QFont DialogFont(int pointSize = 8, bool bold = false)
{
    return StandInFont(QStringLiteral("Microsoft Sans Serif"), pointSize, bold);
}

QFont TimesFont(int pointSize, bool bold)
{
    return StandInFont(QStringLiteral("Times New Roman"), pointSize, bold);
}

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

// Labels size themselves to their text, as the window design's labels do.
QLabel* PlaceLabel(QWidget* parent, const QString& text, int left, int top, const char* name = nullptr)
{
    auto* label = new QLabel(text, parent);
    if (name)
        label->setObjectName(QLatin1String(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

QLabel* PlaceLabel(QWidget* parent, const QString& text, int left, int top, const QFont& font, const QColor& colour,
                   const char* name = nullptr)
{
    auto* label = new QLabel(text, parent);
    if (name)
        label->setObjectName(QLatin1String(name));
    label->setFont(font);
    SetColour(label, QPalette::WindowText, colour);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QLineEdit* PlaceField(QWidget* parent, const QString& name, const QString& text, const QRect& geometry)
{
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(name);
    field->setGeometry(geometry);
    field->setCursorPosition(0);
    return field;
}

QLineEdit* PlaceNumberField(QWidget* parent, const QString& name, const QString& text, const QRect& geometry)
{
    QLineEdit* field = PlaceField(parent, name, text, geometry);
    NumericKeyGuard::Attach(field);
    return field;
}

QPushButton* PlaceButton(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

// The green tick of "&Yes"; the disabled look comes from the icon itself.
QIcon YesGlyph()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 128, 0), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
    return QIcon(pixmap);
}

} // namespace

TEditDlg::TEditDlg(TaonSystem& system, FileNames& names, UserDialogs& dialogs, std::function<bool()> taoscopeChecked,
                   QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      system_(system), names_(names), dialogs_(dialogs), taoscopeChecked_(std::move(taoscopeChecked))
{
    setObjectName(QStringLiteral("EditDlg"));
    setWindowTitle(QStringLiteral(" Editing of gravon's or taon's values"));
    setFont(DialogFont());
    setFixedSize(787, 447);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    BuildCoefficients();
    BuildPointFields();
    BuildGridAndButtons();
    BuildDistanceCalculators();
    BuildFourthPointCalculator();
}

void TEditDlg::Connect(QPushButton* button, void (TEditDlg::*handler)())
{
    connect(button, &QPushButton::clicked, this,
            [this, handler] { Guarded(dialogs_, [this, handler] { (this->*handler)(); }); });
}

void TEditDlg::BuildCoefficients()
{
    PlaceLabel(this, QStringLiteral("Parametrs"), 416, 0, "Label1");

    for (int group = 0; group < GroupCount; ++group) {
        const int left = 408 + 128 * group;
        for (int row = 0; row < CoefficientRows; ++row) {
            const int top = 16 + 24 * row;
            const QString name = QLatin1Char(CoefficientLetters[row]) + QString::number(group + 1);
            if (group == 0 && row == 5) // the contact-term coefficient is flagged
                PlaceLabel(this, QStringLiteral("G1E"), 384, top + 8, DialogFont(8, true), Colours::Red);
            else
                PlaceLabel(this, name, left - 16, top + 8);
            QLineEdit* field = PlaceNumberField(this, QStringLiteral("Edit") + name,
                                                FloatToText(StartingCoefficients[row]), {left, top, 97, 21});
            SetColour(field, QPalette::Base, QColor(Colours::GroupColours[group]));
            coefficientFields_[CoefficientRows * group + row] = field;
        }
        PlaceLabel(this, QStringLiteral("for"), left - 16, 164);
    }

    // The index ranges the three columns govern; nothing reads them.
    const std::array<const char*, 3> rangeNames = {"Edit1", "Edit2", "Edit8"};
    const std::array<const char*, 3> between = {"   -:-  ", " -:- ", " -:-"};
    for (int group = 0; group < 3; ++group) {
        QLineEdit* range = PlaceField(this, QLatin1String(rangeNames[group]),
                                      QString::fromStdString(GroupRangeText(group + 1, between[group])),
                                      {408 + 128 * group, 160, 49, 21});
        SetColour(range, QPalette::Base, QColor(Colours::GroupColours[group]));
        if (group < 2)
            SetColour(range, QPalette::Text, Colours::Blue);
    }
}

void TEditDlg::BuildPointFields()
{
    PlaceLabel(this, QStringLiteral("Differential of time"), 8, 176, "Label16");
    PlaceLabel(this, QStringLiteral("dt="), 8, 197, DialogFont(10), Qt::black, "Label15");
    EditDT_ = PlaceNumberField(this, QStringLiteral("EditDT"), QStringLiteral("0,01"), {24, 192, 65, 21});

    // A field's look, but the warning wraps, in the largest bold Times up to
    // the design's 12 pt that shows all of it.
    auto* warning = new QLabel(QStringLiteral("Attention: G1E is parametr of exponentials part of function PESE"), this);
    warning->setObjectName(QStringLiteral("Edit3"));
    warning->setGeometry(0, 224, 217, 27);
    warning->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    warning->setAutoFillBackground(true);
    warning->setBackgroundRole(QPalette::Base);
    warning->setWordWrap(true);
    warning->setTextInteractionFlags(Qt::TextSelectableByMouse);
    SetColour(warning, QPalette::WindowText, Colours::Red);
    SetColour(warning, QPalette::Text, Colours::Red); // selectable text is drawn in this one
    QFont font = TimesFont(12, true);
    while (font.pixelSize() > 6 && QFontMetrics(font)
                                           .boundingRect(warning->contentsRect(), Qt::TextWordWrap, warning->text())
                                           .height() > warning->contentsRect().height())
        font.setPixelSize(font.pixelSize() - 1);
    warning->setFont(font);

    PlaceLabel(this, QStringLiteral("Gravon or Taon"), 240, 168, DialogFont(10), Colours::Navy, "Label12");
    NumberOfTaon_ = PlaceLabel(this, QStringLiteral("1"), 344, 165, DialogFont(12, true), Qt::black, "NumberOfTaon");
    NumberOfTaon_->setMinimumWidth(40); // room for "100" once it is set

    PlaceLabel(this, QStringLiteral("Coordinats"), 240, 184, "Label4");
    PlaceLabel(this, QStringLiteral("VeloCity"), 240, 272, "Label8");
    // The velocity labels are crossed on purpose: EditV holds U and EditU holds V.
    const std::array<std::pair<const char*, const char*>, 6> fields = {{
        {"EditX", "X ="},
        {"EditY", "Y ="},
        {"EditZ", "Z ="},
        {"EditV", "V ="},
        {"EditU", "U ="},
        {"EditW", "W ="},
    }};
    const std::array<int, 6> tops = {200, 224, 248, 288, 312, 336};
    std::array<QLineEdit*, 6> edits{};
    for (int i = 0; i < 6; ++i) {
        PlaceLabel(this, QLatin1String(fields[i].second), 224, tops[i] + 4);
        edits[i] = PlaceNumberField(this, QLatin1String(fields[i].first), QStringLiteral("0"), {240, tops[i], 121, 21});
    }
    EditX_ = edits[0];
    EditY_ = edits[1];
    EditZ_ = edits[2];
    EditV_ = edits[3];
    EditU_ = edits[4];
    EditW_ = edits[5];

    DaoTrue_ = new QCheckBox(QStringLiteral("There is Gravon or Taon"), this);
    DaoTrue_->setObjectName(QStringLiteral("DaoTrue"));
    DaoTrue_->setGeometry(224, 368, std::max(137, DaoTrue_->sizeHint().width()), 17);
}

void TEditDlg::BuildGridAndButtons()
{
    QPushButton* submit = PlaceButton(this, QStringLiteral("Submit"), QStringLiteral("&Yes"), {224, 387, 65, 25});
    submit->setIcon(YesGlyph());
    Connect(submit, &TEditDlg::SubmitClick);
    Connect(PlaceButton(this, QStringLiteral("Saveas"), QStringLiteral("Save As"), {296, 387, 67, 25}),
            &TEditDlg::SaveasClick);

    DaonsTable_ = new StringGrid(4, 101, 92, 18, this);
    DaonsTable_->setObjectName(QStringLiteral("DaonsTable"));
    // Three pixels wider than designed, to the dialog's edge, and the number
    // column as narrow as its widest header, "Gravons": the three value
    // columns share the rest and show 15 digits with a sign whole.
    DaonsTable_->setGeometry(386, 182, 400, 230);
    DaonsTable_->SetCell(0, 0, QStringLiteral("Gravons"));
    const int numbers = DaonsTable_->horizontalHeader()->sectionSizeHint(0);
    const int room = DaonsTable_->width() - 2 * DaonsTable_->frameWidth() -
                     DaonsTable_->verticalScrollBar()->sizeHint().width();
    DaonsTable_->setColumnWidth(0, numbers);
    for (int column = 1; column <= 3; ++column)
        DaonsTable_->setColumnWidth(column, (room - numbers) / 3);
    connect(DaonsTable_, &StringGrid::SelectCell, this,
            [this](int row) { Guarded(dialogs_, [this, row] { ShowCurrentPoint(row); }); });
    connect(DaonsTable_, &StringGrid::Clicked, this, [this] { Guarded(dialogs_, [this] { DaonsTableClick(); }); });
    connect(DaonsTable_, &StringGrid::DoubleClicked, this,
            [this] { Guarded(dialogs_, [this] { DaonsTableDblClick(); }); });

    PlaceLabel(this, QStringLiteral("FileName"), 16, 400, DialogFont(10), Colours::Navy, "Label13");
    EditFileName_ = PlaceField(this, QStringLiteral("EditFileName"), QStringLiteral("EditFileName"), {8, 419, 593, 24});
    EditFileName_->setFont(DialogFont(10, true));
    SetColour(EditFileName_, QPalette::Text, Colours::Blue);

    // OK is the default button: Enter in a field presses it, while a focused
    // button takes Enter for itself.
    QPushButton* ok = PlaceButton(this, QStringLiteral("OKBtn"), QStringLiteral("OK"), {623, 418, 75, 26});
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] {
        setResult(Accepted); // OK closes as OK whatever happens below
        Guarded(dialogs_, [this] { OKBtnClick(); });
        accept();
    });
    QPushButton* cancel = PlaceButton(this, QStringLiteral("CancelBtn"), QStringLiteral("Cancel"), {703, 418, 75, 26});
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TEditDlg::BuildDistanceCalculators()
{
    PlaceLabel(this, QStringLiteral("S e r i a l   n u m b e r   o f   g r a v o n s   o r   t a o n s"), 8, 0,
               DialogFont(8, true), Qt::black);
    for (int n = 0; n < 4; ++n) {
        // Calculators 1 and 2 on the left, 3 and 4 on the right.
        const int left = n < 2 ? 8 : 192;
        const int top = n % 2 == 0 ? 16 : 96;
        const QString number = QString::number(n + 1);
        PlaceLabel(this, QStringLiteral("Calculation of distance ") + number, left, top);
        PlaceLabel(this, QStringLiteral("Result ") + number, left + 128, top);
        DistanceCalculator& calculator = distanceCalculators_[n];
        const QString cal = QStringLiteral("EditCal") + number;
        calculator.part1 =
            PlaceNumberField(this, cal + QStringLiteral("Part1"), QStringLiteral("0"), {left, top + 16, 25, 21});
        calculator.part2 =
            PlaceNumberField(this, cal + QStringLiteral("Part2"), QStringLiteral("0"), {left + 40, top + 16, 25, 21});
        calculator.result = PlaceNumberField(this, QStringLiteral("EditResult") + number, QStringLiteral("0"),
                                             {left + 72, top + 16, 97, 21});
        QPushButton* calculate = PlaceButton(this, QStringLiteral("Calculate") + number,
                                             QStringLiteral("Calculate ") + number, {left, top + 40, 65, 25});
        QPushButton* reset = PlaceButton(this, QStringLiteral("Reset") + number, QStringLiteral("Reset ") + number,
                                         {left + 72, top + 40, 97, 25});
        connect(calculate, &QPushButton::clicked, this,
                [this, n] { Guarded(dialogs_, [this, n] { CalculateDistance(distanceCalculators_[n]); }); });
        connect(reset, &QPushButton::clicked, this, [this, n] { ResetDistance(distanceCalculators_[n]); });
    }
    const QString stars(34, QLatin1Char('*'));
    PlaceLabel(this, stars, 8, 80, DialogFont(8, true), Colours::Blue);
    PlaceLabel(this, stars, 192, 80, DialogFont(8, true), Colours::Blue);
}

void TEditDlg::BuildFourthPointCalculator()
{
    PlaceLabel(this, QStringLiteral("Calculation of fourth point"), 16, 256, TimesFont(10, true), Colours::Blue,
               "Label46");
    PlaceLabel(this, QStringLiteral("for regular tetrahedron"), 16, 272, TimesFont(10, true), Colours::Blue, "Label49");
    PlaceLabel(this, QStringLiteral("Numbers of three points and  - or + sign"), 16, 288, "Label47");
    for (int i = 0; i < 3; ++i)
        fourthPointNumbers_[i] = PlaceNumberField(this, QStringLiteral("EditCal5Part%1").arg(i + 1),
                                                  QStringLiteral("0"), {16 + 40 * i, 304, 25, 21});

    Del_ = new QCheckBox(QStringLiteral("(+/-)Del^0.5"), this);
    Del_->setObjectName(QStringLiteral("Del"));
    Del_->setGeometry(136, 304, 81, 25);
    Del_->setFont(TimesFont(8, false));
    Del_->setAutoFillBackground(true);
    Del_->setBackgroundRole(QPalette::Window);
    SetColour(Del_, QPalette::Window, Colours::Aqua);
    Del_->setChecked(true);

    PlaceLabel(this, QStringLiteral("Positional parameters of fourth point: X, Y, Z"), 8, 328, "Label48");
    fourthPointResults_ = {
        PlaceNumberField(this, QStringLiteral("EditResultX4"), QStringLiteral("0"), {8, 344, 65, 21}),
        PlaceNumberField(this, QStringLiteral("EditResultY4"), QStringLiteral("0"), {72, 344, 73, 21}),
        PlaceNumberField(this, QStringLiteral("EditResultZ4"), QStringLiteral("0"), {144, 344, 73, 21}),
    };

    Connect(PlaceButton(this, QStringLiteral("Calculate5"), QStringLiteral("Calculate5"), {8, 368, 65, 25}),
            &TEditDlg::Calculate5Click);
    Connect(PlaceButton(this, QStringLiteral("Reset5"), QStringLiteral("Reset5"), {72, 368, 75, 25}),
            &TEditDlg::Reset5Click);
    QPushButton* toCells =
        PlaceButton(this, QStringLiteral("DataToCel"), QStringLiteral("To cells!"), {144, 368, 49, 25});
    toCells->setFont(TimesFont(8, true));
    Connect(toCells, &TEditDlg::DataToCelClick);
    ToCel_ = PlaceNumberField(this, QStringLiteral("ToCel"), QStringLiteral("0"), {192, 368, 25, 21});
}

void TEditDlg::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        Guarded(dialogs_, [this] { LoadFields(); });
    QDialog::showEvent(event);
}

// SPDX-License-Identifier: MIT
#include "mainformfixture.h"

#include "view/drawingarea.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

namespace {

// Stacked on purpose: the lime field hides both check boxes, the empty group
// frames lie behind the switches they group, and the scope switches lie over
// the page control's tab row (but not over a tab: checked below).
bool StackedOnPurpose(const QWidget* a, const QWidget* b)
{
    static const QStringList hidden = {QStringLiteral("Edit4"), QStringLiteral("Functions3X1"),
                                       QStringLiteral("Blockade")};
    const auto either = [a, b](const char* name) {
        return a->objectName() == QLatin1String(name) || b->objectName() == QLatin1String(name);
    };
    return (hidden.contains(a->objectName()) && hidden.contains(b->objectName())) ||
           qobject_cast<const QGroupBox*>(a) || qobject_cast<const QGroupBox*>(b) ||
           (either("PageControl") && (either("Gravoscope") || either("Taoscope")));
}

QString Name(const QWidget* control)
{
    if (const auto* label = qobject_cast<const QLabel*>(control); label && control->objectName().isEmpty())
        return QLatin1Char('"') + label->text() + QLatin1Char('"');
    return control->objectName();
}

// Every pair of visible sibling controls whose visible parts share a pixel,
// and every scope switch over a tab of the page control.
QStringList Overlaps(const MainFormFixture& f)
{
    QStringList found;
    for (QWidget* parent : std::initializer_list<QWidget*>{f.Find<DrawingArea>("DrawingArea"), f.Find<QFrame>("Pan"),
                                                           f.Find<QFrame>("Panel1")}) {
        QList<QWidget*> controls;
        for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (child->isVisible() && !child->isWindow())
                controls << child;
        for (int i = 0; i < controls.size(); ++i)
            for (int j = i + 1; j < controls.size(); ++j) {
                const QRect shared = controls[i]->geometry() & controls[j]->geometry() & parent->rect();
                if (!shared.isEmpty() && !StackedOnPurpose(controls[i], controls[j]))
                    found << Name(controls[i]) + QLatin1Char('/') + Name(controls[j]);
            }
    }
    const QTabBar* tabs = f.Find<QTabWidget>("PageControl")->tabBar();
    for (int t = 0; t < tabs->count(); ++t) {
        const QRect tab(tabs->mapTo(f.Find<QWidget>("Pan"), tabs->tabRect(t).topLeft()), tabs->tabRect(t).size());
        for (const QWidget* scope : {f.Find<QRadioButton>("Gravoscope"), f.Find<QRadioButton>("Taoscope")})
            if (tab.intersects(scope->geometry()))
                found << tabs->tabText(t) + QLatin1Char('/') + scope->objectName();
    }
    return found;
}

} // namespace

class MainFormLayoutTest : public QObject {
    Q_OBJECT
private slots:
    // Exactly one mode is checked after any click or Space, and the scope
    // switches in the bottom panel are a pair of their own.
    void modesStayExclusive_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("space");
        for (const char* name : {"RadioButton3", "HotContact", "ColdContact", "ElecCurrent1", "ElecCurrent2", "Taoscope"})
            for (bool space : {false, true})
                QTest::addRow("%s by %s", name, space ? "Space" : "click") << QString::fromLatin1(name) << space;
    }
    void modesStayExclusive()
    {
        QFETCH(QString, control);
        QFETCH(bool, space);
        MainFormFixture f;
        f.StartWith(f.SaveScene(QStringLiteral("s.ato"), SceneOf({1, 2})));
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        const QList<QRadioButton*> modes = {f.Find<QRadioButton>("RadioButton3"), f.Find<QRadioButton>("HotContact"),
                                            f.Find<QRadioButton>("ColdContact"), f.Find<QRadioButton>("ElecCurrent1"),
                                            f.Find<QRadioButton>("ElecCurrent2")};
        auto* button = f.Find<QRadioButton>(control.toLatin1().constData());
        for (int press = 0; press < 2; ++press) { // the second press is on a checked switch
            if (space) {
                button->setFocus(Qt::TabFocusReason);
                QTest::keyClick(button, Qt::Key_Space);
            } else {
                QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, 8));
            }
            QCOMPARE(std::count_if(modes.begin(), modes.end(), [](auto* m) { return m->isChecked(); }), 1);
            QVERIFY(button->isChecked());
            QVERIFY(f.Find<QRadioButton>("Gravoscope")->isChecked() != f.Find<QRadioButton>("Taoscope")->isChecked());
            QCOMPARE(f.Find<QRadioButton>("RadioButton3")->isChecked(),
                     control == QLatin1String("Taoscope") || button == modes[0]);
        }
    }

    // Labels are controls too: a caption that runs into its field counts.
    void nothingOverlaps_data()
    {
        QTest::addColumn<bool>("minimum");
        QTest::newRow("start size") << false;
        QTest::newRow("minimum size") << true;
    }
    void nothingOverlaps()
    {
        QFETCH(bool, minimum);
        MainFormFixture f;
        f.StartWith(f.SaveScene(QStringLiteral("s.ato"), SceneOf({1, 2})));
        if (minimum) {
            f.form->resize(10, 10); // held at the minimum
            QTRY_COMPARE(f.form->size(), f.form->minimumSizeHint().expandedTo(f.form->minimumSize()));
            QVERIFY(f.form->width() < 854 && f.form->height() < 525);
        }
        const QStringList overlaps = Overlaps(f);
        QVERIFY2(overlaps.isEmpty(), qPrintable(overlaps.join(QStringLiteral(", "))));
    }
};

QTEST_MAIN(MainFormLayoutTest)
#include "mainformlayout_test.moc"

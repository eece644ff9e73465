// SPDX-License-Identifier: MIT
#include "ui/widgetdialogs.h"
#include "tempconfig.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// Acts on the modal dialog once it is up.
template <class Dialog>
void WhenShown(const std::function<void(Dialog*)>& act)
{
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        act(dialog);
    });
}

// Types a name into the file dialog and accepts it.
void ChooseName(const QString& folder, const QString& typed)
{
    WhenShown<QFileDialog>([folder, typed](QFileDialog* dialog) {
        QCOMPARE(dialog->nameFilters(), QStringList{QStringLiteral("Taons files (*.ato)")});
        dialog->setDirectory(folder);
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name != nullptr);
        name->setText(typed);
        QTest::keyClick(name, Qt::Key_Return);
        // A dialog that refused the name would wait for ever: give up instead.
        QTimer::singleShot(2000, dialog, &QDialog::reject);
    });
}

} // namespace

class WidgetDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void openAcceptsAMissingNameWithTheDefaultExtension()
    {
        TempConfig config;
        WidgetDialogs dialogs(nullptr);
        ChooseName(QFileInfo(config.Path("x")).absolutePath(), QStringLiteral("not-there"));
        const std::optional<QString> chosen = dialogs.ChooseSceneToOpen();
        QVERIFY(chosen.has_value());
        QCOMPARE(QFileInfo(*chosen).fileName(), QStringLiteral("not-there.ato"));
    }

    void saveReplacesWithoutAsking()
    {
        TempConfig config;
        config.WriteFile(config.Path("old.ato"), "x");
        WidgetDialogs dialogs(nullptr);
        ChooseName(QFileInfo(config.Path("x")).absolutePath(), QStringLiteral("old"));
        const std::optional<QString> chosen = dialogs.ChooseSceneToSave();
        QVERIFY(chosen.has_value()); // no question came up in between
        QCOMPARE(QFileInfo(*chosen).fileName(), QStringLiteral("old.ato"));
    }

    void cancelGivesNothing()
    {
        WidgetDialogs dialogs(nullptr);
        WhenShown<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
        QVERIFY(!dialogs.ChooseSceneToOpen().has_value());
    }

    void boxes()
    {
        WidgetDialogs dialogs(nullptr);
        WhenShown<QMessageBox>([](QMessageBox* box) {
            QCOMPARE(box->windowTitle(), QStringLiteral("Zarvitone"));
            QCOMPARE(box->icon(), QMessageBox::Critical);
            QCOMPARE(box->text(), QStringLiteral("Disk full."));
            QCOMPARE(box->buttons().size(), 1);
            QCOMPARE(box->buttons().front()->text(), QStringLiteral("OK"));
            box->buttons().front()->click();
        });
        dialogs.ShowError(QStringLiteral("Disk full."));

        WhenShown<QMessageBox>([](QMessageBox* box) {
            QCOMPARE(box->windowTitle(), QStringLiteral("Information"));
            QCOMPARE(box->icon(), QMessageBox::Information);
            box->buttons().front()->click();
        });
        dialogs.ShowInformation(QStringLiteral("The start File not found."));

        for (const bool yes : {true, false}) {
            WhenShown<QMessageBox>([yes](QMessageBox* box) {
                QCOMPARE(box->windowTitle(), QStringLiteral("Confirm"));
                QCOMPARE(box->icon(), QMessageBox::Question);
                QStringList captions;
                for (QAbstractButton* button : box->buttons())
                    captions << button->text();
                captions.sort();
                QCOMPARE(captions, QStringList({QStringLiteral("&No"), QStringLiteral("&Yes")}));
                for (QAbstractButton* button : box->buttons())
                    if (button->text() == (yes ? QStringLiteral("&Yes") : QStringLiteral("&No")))
                        button->click();
            });
            QCOMPARE(dialogs.Confirm(QStringLiteral("The text was changed. Save now?")), yes);
        }
    }
};

QTEST_MAIN(WidgetDialogsTest)
#include "widgetdialogs_test.moc"

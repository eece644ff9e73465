// SPDX-License-Identifier: MIT
#include "view/numericfield.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>

class NumericFieldTest : public QObject {
    Q_OBJECT
private slots:
    void typedKeys_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("number") << "-1,5.2" << "-1,5.2";
        QTest::newRow("letters and blanks") << "1a b2" << "12";
        QTest::newRow("plus and exponent") << "+1e5" << "15";
    }
    void typedKeys()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QLineEdit field;
        NumericKeyGuard::Attach(&field);
        QTest::keyClicks(&field, typed);
        QCOMPARE(field.text(), kept);
    }

    void controlKeys()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("999"));
        QLineEdit plain;
        QTest::keyClick(&plain, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(plain.text(), QStringLiteral("999")); // the clipboard would paste without the guard

        QLineEdit field;
        NumericKeyGuard::Attach(&field);
        QTest::keyClicks(&field, QStringLiteral("123"));
        QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&field, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier); // no paste
        QCOMPARE(field.text(), QStringLiteral("123"));
        QTest::keyClick(&field, Qt::Key_Backspace);
        QTest::keyClick(&field, Qt::Key_Home);
        QTest::keyClick(&field, Qt::Key_Delete);
        QCOMPARE(field.text(), QStringLiteral("2"));
    }

    // Keys that type nothing work with Ctrl too: "9" typed after them into
    // "123" with "23" selected, and what Ctrl+Insert copied.
    void controlKeysThatTypeNothing_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("result");
        QTest::newRow("Ctrl+Home") << int(Qt::Key_Home) << int(Qt::ControlModifier) << "9123 x";
        QTest::newRow("Ctrl+End") << int(Qt::Key_End) << int(Qt::ControlModifier) << "1239 x";
        QTest::newRow("Ctrl+Shift+Left") << int(Qt::Key_Left) << int(Qt::ControlModifier | Qt::ShiftModifier)
                                         << "923 x";
        QTest::newRow("Ctrl+Insert") << int(Qt::Key_Insert) << int(Qt::ControlModifier) << "19 23";
    }
    void controlKeysThatTypeNothing()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, result);
        QGuiApplication::clipboard()->setText(QStringLiteral("x"));
        QLineEdit field(QStringLiteral("123"));
        NumericKeyGuard::Attach(&field);
        field.setSelection(1, 2);
        QTest::keyClick(&field, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTest::keyClick(&field, Qt::Key_9);
        QCOMPARE(field.text() + ' ' + QGuiApplication::clipboard()->text(), result);
    }
};

QTEST_MAIN(NumericFieldTest)
#include "numericfield_test.moc"

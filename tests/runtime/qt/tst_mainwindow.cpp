// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt window itself: load, layout, fonts, colours, drawing, focus, the
// clipboard. What reaches the form and a screen reader: tst_accessibility.
#include <QClipboard>
#include <QImage>
#include <QStyleFactory>
#include <QTest>

#include <algorithm>

#include "designjson.h"
#include "focus_chains_data.h"  // tests/data/focus-chains.txt
#include "mainwindow.h"
#include "typing.h"

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void loadState() {
        MainWindow w;
        QVERIFY(!w.selectedVariant().has_value());
        QCOMPARE(unlocked(w), row(0));
        QVERIFY(w.controls().Option1[0]->isChecked());
        for (int k = 0; k < 9; ++k) QCOMPARE(rowTexts(w, k), QStringList(5));
        QCOMPARE(w.reportText(), std::u16string(window::AssignmentText));
        QCOMPARE(w.controls().Text1[0]->toPlainText(), toDisplayText(window::AssignmentText));
        QCOMPARE(w.controls().Text1[1]->toPlainText(), toDisplayText(window::QuotationText));
        QVERIFY(w.controls().Text1[0]->isReadOnly() && w.controls().Text1[1]->isReadOnly());
    }

    void bulgarianLocaleWritesCommas() {
        QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
        MainWindow w;
        w.controls().Option1[1]->click();
        type(w.controls().Text2[5], "2");
        type(w.controls().Text2[7], "37,6991118430775");
        w.controls().Command1[0]->click();
        QCOMPARE(rowTexts(w, 1), QStringList({"2", "3", "37,6991118430775", "62,8318530717958",
                                              "37,6991118430775"}));
        QCOMPARE(toQString(w.reportText()),
                 "Радиус на максималната вписана сфера: 1,5\r\n"
                 "Повърхнина на сферата: 28,2743338823081\r\n");
        // The assignment text is gone for good, the report shown in its place.
        QCOMPARE(w.controls().Text1[0]->toPlainText(), toDisplayText(w.reportText()));
    }

    // Tab and Shift+Tab move Qt's focus along the hand-written chains, round.
    void tabFollowsHandWrittenChains() {
        MainWindow w;
        showActive(w);
        for (const QString& line : QString::fromUtf8(FocusChainsData).split('\n')) {
            if (line.isEmpty() || line.startsWith('#')) continue;
            QStringList chain = line.split(' ', Qt::SkipEmptyParts);
            w.controls().Option1[chain.takeFirst().toInt()]->click();
            for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
                w.controls().Text1[0]->setFocus();
                QStringList walked;
                for (qsizetype i = 0; i <= chain.size(); ++i) {
                    const QString name = QApplication::focusWidget()->objectName();
                    walked << name.section('_', 0, 0) + '(' + name.section('_', 1) + ')';
                    QTest::keyClick(QApplication::focusWidget(), key);
                }
                QCOMPARE(walked.front(), walked.back());
                if (key == Qt::Key_Backtab) std::reverse(walked.begin(), walked.end());
                QCOMPARE(walked.mid(0, chain.size()), chain);
            }
        }
    }

    void computedBoxesCanBeCopied() {
        MainWindow w;
        type(w.controls().Text2[0], "1");
        type(w.controls().Text2[1], "1");
        w.controls().Command1[0]->click();
        QLineEdit* computed = w.controls().Text2[2];
        QCOMPARE(computed->focusPolicy(), Qt::ClickFocus);
        computed->selectAll();
        computed->copy();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("6.28318530717958"));
    }

    // Without the focus a number too wide for its box shows rounded, drawn as a
    // box holding that text would be; the box itself keeps the full text.
    void wideNumberShowsRounded() {
        MainWindow w;
        type(w.controls().Text2[0], "100000000");
        type(w.controls().Text2[1], "100000000");
        w.controls().Command1[0]->click();
        NumberBox* box = w.controls().Text2[4];
        const QString full = QStringLiteral("3.14159265358979E+24");
        QCOMPARE(box->text(), full);
        const QString shown = toQString(box->state().shownText());
        QVERIFY2(shown.size() < full.size() && shown.startsWith("3.1") && shown.endsWith("E+24"),
                 qPrintable(shown));
        const QString fittedTip = box->toolTip();  // the step that found it, then the full number
        QLineEdit plain(shown);
        plain.setFont(box->font());
        plain.setPalette(box->palette());
        plain.resize(box->size());
        // Inside the frame, whose rounded corners show what lies behind.
        const auto picture = [](QWidget* w) {
            const QImage image = w->grab(w->rect().adjusted(2, 2, -2, -2)).toImage();
            return image.convertToFormat(QImage::Format_RGB32);
        };
        QCOMPARE(picture(box), picture(&plain));

        showActive(w);
        box->setFocus();
        QCOMPARE(toQString(box->state().shownText()), full);
        QCOMPARE(box->toolTip() + "\n" + full, fittedTip);  // the step alone
    }

    void layout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        for (int i = 0; i < window::BoxCount; ++i) {
            const DesignedPlace box = designedPlace("Text2_" + std::to_string(i));
            QTest::addRow("Text2_%d", i)
                << QString("Text2_%1").arg(i) << QRect(box.left, box.top, box.width, box.height);
        }
        QTest::newRow("Label1_0") << "Label1_0" << QRect(40, 0, 417, 25);
        QTest::newRow("Label1_5") << "Label1_5" << QRect(360, 32, 65, 25);
        QTest::newRow("Option1_8") << "Option1_8" << QRect(8, 248, 97, 25);
        QTest::newRow("Command1_0") << "Command1_0" << QRect(432, 80, 65, 25);
        QTest::newRow("Command1_1") << "Command1_1" << QRect(432, 200, 65, 25);
        QTest::newRow("Text1_0") << "Text1_0" << QRect(8, 296, 489, 121);
        QTest::newRow("Text1_1") << "Text1_1" << QRect(40, 336, 449, 121);
    }

    void layout() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        MainWindow w;
        QCOMPARE(w.size(), QSize(504, 419));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        auto* control = w.findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), geometry);
    }

    void designRules() {
        MainWindow w;
        const Controls& c = w.controls();
        // Text1(1) overlaps Text1(0), lies on top, and is cut by the window's edge.
        QVERIFY(c.Text1[1]->geometry().bottom() >= w.height());
        QVERIFY(c.Text1[0]->geometry().intersects(c.Text1[1]->geometry()));
        QWidget* hit = w.childAt(250, 380);
        QVERIFY(hit == c.Text1[1] || c.Text1[1]->isAncestorOf(hit));
        QCOMPARE(c.Text1[1]->frameShape(), QFrame::NoFrame);
        QCOMPARE(c.Text1[0]->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        // Fonts: bold on computed boxes and on 22 and 24, the window font elsewhere.
        for (int i : {2, 22, 24, 44}) QVERIFY(c.Text2[i]->font().bold());
        for (int i : {0, 1, 25, 28}) QVERIFY(!c.Text2[i]->font().bold());
        QCOMPARE(c.Text2[0]->font().family(), QStringLiteral("Times New Roman"));
        QCOMPARE(c.Text2[0]->font().pointSize(), 12);
        QCOMPARE(c.Option1[8]->text(), QStringLiteral("Вариант 9"));
        QCOMPARE(c.Command1[0]->text(), QStringLiteral("Изчисли"));
        QCOMPARE(c.Command1[1]->text(), QStringLiteral("Изчисти"));
        QCOMPARE(c.Label1[0]->text(),
                 QStringLiteral("Изчисляване на вписана сфера в прав кръгов цилиндър"));
    }

    void colours_data() {
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("where");  // inside the control, clear of text and frame
        QTest::addColumn<QColor>("colour");
        for (const QString& style : QStyleFactory::keys()) {
            const auto add = [&](const char* name, QPoint p, QColor c) {
                QTest::addRow("%s %s", qPrintable(style), name) << style << name << p << c;
            };
            add("window", QPoint(2, 410), QColor(192, 192, 255));
            add("Label1_0", QPoint(3, 3), QColor(255, 192, 128));
            add("Label1_1", QPoint(3, 20), QColor(255, 192, 128));
            add("Option1_0", QPoint(90, 3), QColor(192, 255, 192));
            add("Command1_0", QPoint(5, 5), QColor(128, 255, 128));
            add("Command1_1", QPoint(5, 5), QColor(255, 0, 0));
            add("Text2_2", QPoint(55, 13), QColor(255, 192, 192));
            add("Text2_22", QPoint(55, 13), QColor(255, 255, 255));
            add("Text2_0", QPoint(55, 13), QApplication::palette().color(QPalette::Base));
        }
    }

    void colours() {
        QFETCH(QString, style);
        QFETCH(QString, name);
        QFETCH(QPoint, where);
        QFETCH(QColor, colour);
        QApplication::setStyle(QStyleFactory::create(style));
        MainWindow w;
        w.controls().Option1[0]->setFocus();
        QWidget* control = name == "window" ? &w : w.findChild<QWidget*>(name);
        QVERIFY(control);
        const QImage image = w.grab().toImage();
        const QPoint p = control->mapTo(&w, where);
        QCOMPARE(image.pixelColor(p).rgb(), colour.rgb());
    }

    void captionIconAndTips() {
        MainWindow w;
        QCOMPARE(w.windowTitle(), QStringLiteral("Геометрия - прав кръгов цилиндър"));
        QVERIFY(!w.windowIcon().pixmap(32, 32).isNull());
        QCOMPARE(w.windowIcon().actualSize(QSize(32, 32)), QSize(32, 32));
        const QStringList tips = {"Радиус на основата", "Височина", "Околна повърхнина",
                                  "Пълна повърхнина", "Обем"};
        for (int c = 0; c < 5; ++c) QCOMPARE(w.controls().Label1[c + 1]->toolTip(), tips[c]);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

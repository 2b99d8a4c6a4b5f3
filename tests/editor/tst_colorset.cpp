#include "Colorset.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>

class TestColorset : public QObject
{
    Q_OBJECT

    static QColor textOf(Colorset& d) { return sample(d)->palette().color(QPalette::Text); }
    static QColor baseOf(Colorset& d) { return sample(d)->palette().color(QPalette::Base); }
    static QTextEdit* sample(Colorset& d) { return d.findChild<QTextEdit*>(QStringLiteral("txtMuestra")); }
    static void click(Colorset& d, const QString& name)
    {
        auto* w = d.findChild<QWidget*>(name);
        QVERIFY2(w, qPrintable(name));
        QTest::mouseClick(w, Qt::LeftButton);
    }

private slots:
    void palette_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QColor>("color");
        QTest::addColumn<int>("stored");
        QTest::newRow("0 black") << 0 << QColor(0, 0, 0) << 0;
        QTest::newRow("1 dark blue") << 1 << QColor(0, 0, 128) << 8388608;
        QTest::newRow("4 dark red") << 4 << QColor(128, 0, 0) << 128;
        QTest::newRow("6 olive") << 6 << QColor(128, 128, 0) << 32896;
        QTest::newRow("7 light grey") << 7 << QColor(192, 192, 192) << 12632256;
        QTest::newRow("9 blue") << 9 << QColor(0, 0, 255) << 16711680;
        QTest::newRow("12 red") << 12 << QColor(255, 0, 0) << 255;
        QTest::newRow("14 yellow") << 14 << QColor(255, 255, 0) << 65535;
        QTest::newRow("15 white") << 15 << QColor(255, 255, 255) << 16777215;
    }
    void palette()
    {
        QFETCH(int, index);
        QFETCH(QColor, color);
        QFETCH(int, stored);
        QCOMPARE(paletteColor(index), color);
        const QColor c = paletteColor(index);
        QCOMPARE(c.red() + 256 * c.green() + 65536 * c.blue(), stored);
    }

    void controls()
    {
        Colorset d;
        QCOMPARE(d.windowTitle(), QStringLiteral("Elecci¢n de colores"));
        QCOMPARE(sample(d)->toPlainText(), QStringLiteral("Texto de prueba"));
        for (int i = 0; i < 16; ++i) {
            for (const char* row : {"lbColorFrente", "lbColorFondo"}) {
                auto* swatch = d.findChild<QLabel*>(QLatin1String(row) + QString::number(i));
                QVERIFY(swatch);
                QCOMPARE(swatch->palette().color(QPalette::Window), paletteColor(i));
            }
        }
        QCOMPARE(d.findChild<QRadioButton*>(QStringLiteral("opControl0"))->text(), QStringLiteral("Editor"));
        QCOMPARE(d.findChild<QRadioButton*>(QStringLiteral("opControl1"))->text(),
                 QStringLiteral("Destacado"));
        QVERIFY(d.findChild<QLabel*>(QStringLiteral("lbMuestra")));
        QCOMPARE(d.findChild<QPushButton*>(QStringLiteral("cmdAceptar"))->text(), QStringLiteral("&Aceptar"));
        QCOMPARE(d.findChild<QPushButton*>(QStringLiteral("cmdCancelar"))->text(),
                 QStringLiteral("&Cancelar"));
        QStringList captions;
        for (auto* l : d.findChildren<QLabel*>())
            captions << l->text();
        QVERIFY(captions.contains(QStringLiteral("Colores de Frente")));
        QVERIFY(captions.contains(QStringLiteral("Colores de fondo")));
    }

    void preview_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QColor>("text");
        QTest::addColumn<QColor>("back");
        const QColor grey(192, 192, 192);
        QTest::newRow("nothing clicked keeps the editor's colours")
            << QStringList{} << grey << QColor(Qt::black);
        // the foreground number not chosen yet counts as colour 0
        QTest::newRow("only background 1: black on dark blue")
            << QStringList{"lbColorFondo1"} << QColor(0, 0, 0) << QColor(0, 0, 128);
        QTest::newRow("only foreground 14: yellow on black")
            << QStringList{"lbColorFrente14"} << QColor(255, 255, 0) << QColor(0, 0, 0);
        QTest::newRow("both, the last click of a row wins")
            << QStringList{"lbColorFrente12", "lbColorFondo3", "lbColorFrente15"} << QColor(255, 255, 255)
            << QColor(0, 128, 128);
        QTest::newRow("Destacado previews only lbMuestra")
            << QStringList{"opControl1", "lbColorFrente12", "lbColorFondo9"} << grey << QColor(Qt::black);
    }
    void preview()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QColor, text);
        QFETCH(QColor, back);
        Colorset d;
        d.begin(QColor(192, 192, 192), Qt::black);
        d.show();
        for (const QString& name : clicks)
            click(d, name);
        QCOMPARE(textOf(d), text);
        QCOMPARE(baseOf(d), back);
    }

    void destacadoColoursOnlyTheLabel()
    {
        Colorset d;
        d.begin(QColor(192, 192, 192), Qt::black);
        d.show();
        auto* muestra = d.findChild<QLabel*>(QStringLiteral("lbMuestra"));
        const QColor before = muestra->palette().color(QPalette::WindowText);
        click(d, QStringLiteral("lbColorFrente10"));
        QCOMPARE(muestra->palette().color(QPalette::WindowText), before);
        click(d, QStringLiteral("opControl1"));
        click(d, QStringLiteral("lbColorFrente12"));
        QCOMPARE(muestra->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(textOf(d), QColor(0, 255, 0)); // the Editor preview made before stays
        QCOMPARE(baseOf(d), QColor(0, 0, 0));
    }

    void buttons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("emitted");
        QTest::newRow("Aceptar hands over the sample's colours") << "cmdAceptar" << 1;
        QTest::newRow("Cancelar changes nothing") << "cmdCancelar" << 0;
    }
    void buttons()
    {
        QFETCH(QString, button);
        QFETCH(int, emitted);
        Colorset d;
        QSignalSpy spy(&d, &Colorset::colorsChosen);
        d.begin(QColor(192, 192, 192), Qt::black);
        d.show();
        click(d, QStringLiteral("lbColorFrente14"));
        click(d, QStringLiteral("lbColorFondo1"));
        click(d, button);
        QVERIFY(!d.isVisible());
        QCOMPARE(spy.count(), emitted);
        if (emitted) {
            QCOMPARE(spy.first().at(0).value<QColor>(), QColor(255, 255, 0));
            QCOMPARE(spy.first().at(1).value<QColor>(), QColor(0, 0, 128));
        }
    }

    void beginStartsAfresh()
    {
        Colorset d;
        d.begin(QColor(192, 192, 192), Qt::black);
        d.show();
        click(d, QStringLiteral("lbColorFrente14"));
        click(d, QStringLiteral("opControl1"));
        click(d, QStringLiteral("lbColorFrente12"));
        click(d, QStringLiteral("cmdCancelar"));

        // the next opening shows the editor's colours, Editor selected and both numbers 0 again
        d.begin(QColor(255, 255, 255), QColor(0, 0, 128));
        d.show();
        QVERIFY(d.findChild<QRadioButton*>(QStringLiteral("opControl0"))->isChecked());
        QCOMPARE(textOf(d), QColor(255, 255, 255));
        QCOMPARE(baseOf(d), QColor(0, 0, 128));
        QVERIFY(d.findChild<QLabel*>(QStringLiteral("lbMuestra"))->palette().color(QPalette::WindowText) !=
                QColor(255, 0, 0));
        click(d, QStringLiteral("lbColorFondo2"));
        QCOMPARE(textOf(d), QColor(0, 0, 0));
        QCOMPARE(baseOf(d), QColor(0, 128, 0));
    }
};

QTEST_MAIN(TestColorset)
#include "tst_colorset.moc"

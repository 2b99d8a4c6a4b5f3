// The colour dialog, clicked like a user would.
#include "Colorset.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>

using namespace Qt::StringLiterals;

namespace {
// The sample's text and background colours, and the colour of the lbMuestra text.
QString shownBy(Colorset& d)
{
    const QPalette p = d.findChild<QTextEdit*>(u"txtMuestra"_s)->palette();
    return p.color(QPalette::Text).name() + u" on "_s + p.color(QPalette::Base).name() + u", muestra "_s +
           d.findChild<QLabel*>(u"lbMuestra"_s)->palette().color(QPalette::WindowText).name();
}
void click(Colorset& d, const QStringList& names)
{
    for (const QString& name : names)
        QTest::mouseClick(d.findChild<QWidget*>(name), Qt::LeftButton);
}
} // namespace

class TestColorset : public QObject
{
    Q_OBJECT
private slots:
    void preview_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("shown");
        const QString plain = QLabel().palette().color(QPalette::WindowText).name();
        QTest::newRow("nothing clicked") << QStringList() << u"#c0c0c0 on #000000, muestra "_s + plain;
        // the foreground number not chosen yet counts as colour 0
        QTest::newRow("only background 1")
            << QStringList{u"lbColorFondo1"_s} << u"#000000 on #000080, muestra "_s + plain;
        QTest::newRow("last click of a row wins")
            << QStringList{u"lbColorFrente12"_s, u"lbColorFondo3"_s, u"lbColorFrente15"_s}
            << u"#ffffff on #008080, muestra "_s + plain;
        QTest::newRow("Destacado colours only lbMuestra")
            << QStringList{u"lbColorFrente10"_s, u"opControl1"_s, u"lbColorFrente12"_s, u"lbColorFondo9"_s}
            << u"#00ff00 on #000000, muestra #ff0000"_s;
    }
    void preview()
    {
        QFETCH(QStringList, clicks);
        Colorset d;
        d.begin(QColor(192, 192, 192), Qt::black);
        d.show();
        click(d, clicks);
        QTEST(shownBy(d), "shown");
    }

    void buttons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("emitted");
        QTest::newRow("&Aceptar hands over the sample's colours") << u"cmdAceptar"_s << 1;
        QTest::newRow("&Cancelar changes nothing") << u"cmdCancelar"_s << 0;
    }
    void buttons()
    {
        QFETCH(QString, button);
        Colorset d;
        QSignalSpy spy(&d, &Colorset::colorsChosen);
        d.begin(QColor(192, 192, 192), Qt::black);
        d.show();
        click(d, {u"lbColorFrente14"_s, u"lbColorFondo1"_s, u"opControl1"_s, u"lbColorFrente12"_s, button});
        QVERIFY(!d.isVisible());
        QTEST(int(spy.count()), "emitted");
        if (!spy.isEmpty())
            QCOMPARE(spy.first(), QVariantList({QColor(255, 255, 0), QColor(0, 0, 128)}));
        // the next opening starts afresh: the editor's colours, Editor selected, both numbers 0
        d.begin(Qt::white, QColor(0, 0, 128));
        d.show();
        QCOMPARE(shownBy(d).left(18), u"#ffffff on #000080"_s);
        click(d, {u"lbColorFondo2"_s});
        QCOMPARE(shownBy(d),
                 u"#000000 on #008000, muestra "_s + QLabel().palette().color(QPalette::WindowText).name());
    }
};

QTEST_MAIN(TestColorset)
#include "tst_colorset.moc"

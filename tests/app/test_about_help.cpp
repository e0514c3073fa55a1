// The About and Help windows: the About document, its rebuild, the manual
// loader, "^" and the button placement on resize.
#include "orvex_about.h"
#include "orvex_help.h"
#include "orvex_log.h"

#include <QFile>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QtTest>

namespace {
// A manual long enough to scroll, with the "begin" anchor in the middle
// when `anchored`.
QByteArray long_manual(bool anchored)
{
    QByteArray html = "<html><body>";
    for (int i = 0; i < 60; ++i)
        html += "<p>Paragraph " + QByteArray::number(i) + "</p>";
    if (anchored)
        html += "<p><a name=\"begin\"></a>Начало — here it starts</p>";
    for (int i = 60; i < 120; ++i)
        html += "<p>Paragraph " + QByteArray::number(i) + "</p>";
    return html + "</body></html>";
}

bool write_file(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

int direct_documents(QObject *window)
{
    return window->findChildren<QTextDocument *>(QString(), Qt::FindDirectChildrenOnly).size();
}
} // namespace

class Test_about_help : public QObject
{
    Q_OBJECT

    QStringList out;

private slots:
    void init()
    {
        out.clear();
        set_log_capture(&out, nullptr);
    }
    void cleanup() { set_log_capture(nullptr, nullptr); }

    void about_text_is_one_table_with_picture_and_description()
    {
        Orvex_about about;
        QVERIFY(about.isReadOnly());
        QCOMPARE(about.objectName(), QStringLiteral("Orvex_about"));
        QCOMPARE(about.size(), QSize(565, 587));
        QVERIFY(!about.about_doc);
        about.build_text();
        QCOMPARE(about.document(), about.about_doc);
        QCOMPARE(about.about_doc->documentMargin(), 20.0);

        QTextTable *table = nullptr;
        for (QTextFrame *f : about.about_doc->rootFrame()->childFrames())
            if ((table = qobject_cast<QTextTable *>(f)))
                break;
        QVERIFY(table);
        QCOMPARE(table->rows(), 1);
        QCOMPARE(table->columns(), 2);
        const QTextTableFormat format = table->format();
        QCOMPARE(format.borderStyle(), QTextFrameFormat::BorderStyle_None);
        QCOMPARE(format.background().color(), QColor("lightyellow"));
        QCOMPARE(format.width().rawValue(), 515.0);

        const QString text = about.about_doc->toPlainText();
        QVERIFY(text.contains("Orvex_Obj_List"));
        QVERIFY(text.contains("designed for observations on the Orvex-1000 telescope."));
        QVERIFY(text.contains("The Orvex-1000 observatory software group"));
        // The picture sits in the first cell, the text in the second.
        const QString html = about.about_doc->toHtml();
        QVERIFY(html.contains("_icon.png"));
        QVERIFY(text.indexOf("Orvex_Obj_List") < text.indexOf("Author"));

        // The table keeps the width it was built with.
        about.show();
        about.resize(400, 300);
        QTRY_COMPARE(about.width(), 400);
        QCOMPARE(table->format().width().rawValue(), 515.0);
    }

    void about_rebuild_leaves_one_document()
    {
        Orvex_about about;
        about.build_text();
        QPointer<QTextDocument> first = about.about_doc;
        about.build_text();
        about.build_text();
        // The old ones stay alive until the event loop runs.
        QVERIFY(first);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!first);
        QCOMPARE(direct_documents(&about), 1);
        QCOMPARE(about.document(), about.about_doc);
    }

    void resize_keeps_buttons_at_bottom_centre()
    {
        Orvex_about about;
        about.show();
        about.resize(400, 300);
        QTRY_COMPARE(about.close_btn->geometry(), QRect((400 - 61) / 2, 300 - 26 - 2, 61, 26));

        Orvex_help help;
        QCOMPARE(help.size(), QSize(566, 436));
        QCOMPARE(help.begin_btn->font().pointSize(), 17);
        help.show();
        help.resize(501, 350);
        const QRect close_at((501 - 61) / 2, 350 - 26 - 2, 61, 26);
        QTRY_COMPARE(help.close_btn->geometry(), close_at);
        QCOMPARE(help.begin_btn->geometry(), QRect(close_at.x() - 31, 350 - 26 - 2, 31, 26));
    }

    void close_hides_windows()
    {
        Orvex_about about;
        Orvex_help help;
        about.show();
        help.show();
        QTest::mouseClick(about.close_btn, Qt::LeftButton);
        QTest::mouseClick(help.close_btn, Qt::LeftButton);
        QVERIFY(!about.isVisible());
        QVERIFY(!help.isVisible());
    }

    void help_loads_utf8_and_keeps_old_manual_on_failure()
    {
        QTemporaryDir dir;
        const QString good = dir.path() + "/m_ru_RU.html";
        QVERIFY(write_file(good, long_manual(true)));
        Orvex_help help;
        QTextDocument *doc = help.document();
        help.load_help(good);
        QVERIFY(help.document()->toPlainText().contains(QStringLiteral("Начало — here it starts")));
        QCOMPARE(out, QStringList());

        const QString missing = dir.path() + "/m_de_DE.html";
        help.load_help(missing);
        // A directory exists but cannot be read as a file.
        help.load_help(dir.path());
        QCOMPARE(out, QStringList({"Can't find " + missing + "! Does not exist?",
                                   "Can't read " + dir.path() + "! Unreadable?"}));
        QVERIFY(help.document()->toPlainText().contains(QStringLiteral("Начало")));
        // The same document object carries every manual.
        QCOMPARE(help.document(), doc);
        QCOMPARE(help.help_doc, doc);
    }

    void begin_scrolls_to_anchor_if_there_is_one()
    {
        QTemporaryDir dir;
        const QString anchored = dir.path() + "/a.html";
        const QString plain = dir.path() + "/p.html";
        QVERIFY(write_file(anchored, long_manual(true)));
        QVERIFY(write_file(plain, long_manual(false)));

        Orvex_help help;
        help.show();
        help.load_help(anchored);
        QScrollBar *bar = help.verticalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum());
        QTest::mouseClick(help.begin_btn, Qt::LeftButton);
        const int at_anchor = bar->value();
        QVERIFY(at_anchor > 0 && at_anchor < bar->maximum());
        bar->setValue(0);
        QTest::mouseClick(help.begin_btn, Qt::LeftButton);
        QCOMPARE(bar->value(), at_anchor);

        help.load_help(plain);
        QTest::qWait(100);
        bar->setValue(bar->maximum() / 2);
        const int before = bar->value();
        QVERIFY(before > 0);
        QTest::mouseClick(help.begin_btn, Qt::LeftButton);
        QTest::qWait(50);
        QCOMPARE(bar->value(), before);
    }
};

QTEST_MAIN(Test_about_help)
#include "test_about_help.moc"

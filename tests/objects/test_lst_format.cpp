// .lst line classification, field extraction, epoch dates and written lines.
#include "orvex_lst_format.h"
#include "orvex_object.h"

#include <QtTest>

class Test_lst_format : public QObject
{
    Q_OBJECT

private slots:
    void comment_lines()
    {
        for (const char *line : {"", "# 12 30 00 : +45 00 00", "12:30:00 +45:00:00", "12 30 00 +45 00 00 2000.0",
                                 "12 30 : +45 00 00", "12 3x 00 : +45 00 00", "M31 12 30 00 : +45 00 00"}) {
            Orvex_object record; // a comment keeps a blank record
            lst_fill_record(&record, lst_parse_line(line));
            QVERIFY2(!lst_is_object_line(line) && record.is_comment && record.name.isEmpty(), line);
        }
    }

    void object_lines_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("fields"); // name|R.A.|Decl.|epoch text
        QTest::addColumn<double>("epoch");

        QTest::newRow("worked example") << " 5 35 17.3   : -5 23 28    ; 2000.0 # M42" << "M42|5:35:17.3|-5:23:28|2000.0" << 2000.0;
        QTest::newRow("two fields") << "05 35 17.3 : -05 23 28" << "Unknown|05:35:17.3|-05:23:28|2000.0" << 2000.0;
        QTest::newRow("trailing separator") << "1 2 3;" << "Unknown|1:2:3||2000.0" << 2000.0;
        QTest::newRow("three, no hash") << "12 30 00 : +45 00 00 ; 1950" << "Unknown|12:30:00|+45:00:00|1950" << 1950.0;
        QTest::newRow("three, hash is name") << "12 30 00 : +45 00 00 #  M   31 " << "M 31|12:30:00|+45:00:00|2000.0" << 2000.0;
        QTest::newRow("five, no hash") << "1 2 3 : +4 5 6 ; 2000.0 ; NGC 1 ; extra" << "extra|1:2:3|+4:5:6|2000.0" << 2000.0;
        QTest::newRow("rest after first hash") << "1 2 3 : +4 5 6 ; 2000 # a: b;c # d" << "a: b;c # d|1:2:3|+4:5:6|2000" << 2000.0;
        QTest::newRow("tabs, no number") << " \t1\t 2   3:+4  5 6;J2000;  Vega  " << "Vega|1:2:3|+4:5:6|J2000" << 0.0;
        QTest::newRow("invalid date") << "1 2 3 : +4 5 6 ; 30-Feb-2023 # Z" << "Z|1:2:3|+4:5:6|nan" << 0.0;
        QTest::newRow("cyrillic name") << "1 2 3 : +4 5 6 ; 2000.0 # Туманность  Ориона" << "Туманность Ориона|1:2:3|+4:5:6|2000.0" << 2000.0;
    }

    void object_lines()
    {
        QFETCH(QString, line);
        const Orvex_lst_line parsed = lst_parse_line(line);
        QVERIFY(lst_is_object_line(line) && parsed.is_object);
        QTEST(QStringList({parsed.name, parsed.ra_text, parsed.decl_text, parsed.epoch_text}).join('|'), "fields");
        Orvex_object record;
        lst_fill_record(&record, parsed);
        QVERIFY(!record.is_comment);
        QTEST(QStringList({record.name, record.ra_text, record.decl_text, record.epoch_text}).join('|'), "fields");
        QTEST(record.epoch, "epoch");
    }

    void epoch_dates_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("epoch");
        for (const auto &[field, epoch] : {std::pair{"15-Jan-2024", "2024.04"}, {"31-12-2024", "2025.00"},
                                           {"29-02-2024", "2024.16"}, {"15-01-24", "24.04"}, // year as written
                                           {"15-Jan-2024.7 UT", "2024.04"}, {"1-jan-2023", "nan"}, {"1-13-2023", "nan"},
                                           {"29-02-2023", "nan"}, {"99999999999-1-2023", "nan"}, {"2000.0", "2000.0"},
                                           {"Jan-15-2024", "Jan-15-2024"}, {"15-Jan 2024", "15-Jan 2024"}})
            QTest::newRow(field) << QString(field) << QString(epoch);
    }

    void epoch_dates()
    {
        QFETCH(QString, field);
        QTEST(lst_epoch_text(field), "epoch");
    }

    void object_pair()
    {
        for (const auto &[ra, decl] : {std::pair{"12:30:00", "+45:00:00"}, {"12 30 00", "-45 00 00"}, {"12", "+-5"}})
            QVERIFY2(lst_is_object_pair(ra, decl), ra);
        for (const auto &[ra, decl] : {std::pair{"5", "+45:00:00"}, {"12:30:00", "5"}, {"12:30:00", "+-"},
                                       {"+12:30", "+45"}, {"M31", "+45"}, {"", ""}})
            QVERIFY2(!lst_is_object_pair(ra, decl), ra);
    }

    void line_ends_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("LF, no last end") << QByteArray("a\n\nb") << QStringList({"a", "", "b"});
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList({"a", "b"});
        QTest::newRow("CR CR LF is one end") << QByteArray("a\r\r\nb\r\r\n") << QStringList({"a", "b"});
        QTest::newRow("lone CRs") << QByteArray("a\r\rb\r") << QStringList({"a", "", "b"});
        QTest::newRow("CR before CR CR LF") << QByteArray("a\r\r\r\nb") << QStringList({"a", "", "b"});
        QTest::newRow("nothing") << QByteArray() << QStringList();
    }

    void line_ends()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QStringList texts;
        for (const Orvex_lst_file_line &line : lst_read_lines(bytes).lines)
            texts.append(line.text);
        QCOMPARE(texts, lines);
    }

    // Counted the way lines are split; a file over the limit gives no lines.
    void line_count_limit()
    {
        QByteArray crcrlf;
        for (int i = 0; i < lst_max_lines; ++i)
            crcrlf += "\r\r\n";
        QCOMPARE(lst_read_lines(crcrlf).lines.size(), lst_max_lines);
        const Orvex_lst_file over = lst_read_lines(QByteArray(lst_max_lines + 1, '\n'));
        QVERIFY(over.too_many_lines && over.lines.isEmpty());
    }

    void written_lines()
    {
        // Long texts push the columns instead of being cut; '%' is only text.
        QCOMPARE(lst_object_line("12:30:00.1234", "+45:00:00.123", "2000.125", "x"),
                 QStringLiteral(" 12 30 00.1234 : +45 00 00.123 ; 2000.125 # x"));
        QCOMPARE(lst_object_line("12:30:%2", "+45", "%1", "50%3"),
                 QStringLiteral(" 12 30 %2    : +45         ; %1     # 50%3"));

        const Orvex_lst_line back = lst_parse_line(
            lst_object_line("5:35:17.3", "-5:23:28", "15-Jan-2024", "M 42: core; neb"));
        QCOMPARE(QStringList({back.name, back.ra_text, back.decl_text, back.epoch_text}),
                 QStringList({"M 42: core; neb", "5:35:17.3", "-5:23:28", "2024.04"}));
    }
};

QTEST_APPLESS_MAIN(Test_lst_format)
#include "test_lst_format.moc"

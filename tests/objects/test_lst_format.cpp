// .lst line classification, field extraction, epoch dates and the line
// forms the program writes.
#include "orvex_lst_format.h"
#include "orvex_object.h"

#include <QtTest>

class Test_lst_format : public QObject
{
    Q_OBJECT

private slots:
    void line_kinds_data();
    void line_kinds();
    void record_from_line_data();
    void record_from_line();
    void epoch_dates_data();
    void epoch_dates();
    void object_pair_data();
    void object_pair();
    void written_lines();
    void written_lines_read_back();
};

void Test_lst_format::line_kinds_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("is_object");
    QTest::addColumn<int>("fields");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("ra");
    QTest::addColumn<QString>("decl");
    QTest::addColumn<QString>("epoch");

    const QString none;
    QTest::newRow("empty") << "" << false << 0 << none << none << none << none;
    QTest::newRow("hash comment") << "# 12 30 00 : +45 00 00" << false << 0 << none << none << none << none;
    QTest::newRow("colons in R.A.") << "12:30:00 +45:00:00" << false << 0 << none << none << none << none;
    QTest::newRow("no separator") << "12 30 00 +45 00 00 2000.0" << false << 0 << none << none << none << none;
    QTest::newRow("two numbers only") << "12 30 : +45 00 00" << false << 0 << none << none << none << none;
    QTest::newRow("letter in number") << "12 3x 00 : +45 00 00" << false << 0 << none << none << none << none;
    QTest::newRow("text first") << "M31 12 30 00 : +45 00 00" << false << 0 << none << none << none << none;

    QTest::newRow("two fields") << "05 35 17.3 : -05 23 28" << true << 2
                                << "Unknown" << "05:35:17.3" << "-05:23:28" << "2000.0";
    QTest::newRow("trailing separator") << "1 2 3;" << true << 2
                                        << "Unknown" << "1:2:3" << "" << "2000.0";
    QTest::newRow("three, no hash") << "12 30 00 : +45 00 00 ; 1950" << true << 3
                                    << "Unknown" << "12:30:00" << "+45:00:00" << "1950";
    QTest::newRow("three, hash is name") << "12 30 00 : +45 00 00 #  M   31 " << true << 3
                                         << "M 31" << "12:30:00" << "+45:00:00" << "2000.0";
    QTest::newRow("four, no hash") << "12 30 00 : +45 00 00 ; 2000.0 ;  NGC   1 " << true << 4
                                   << "NGC 1" << "12:30:00" << "+45:00:00" << "2000.0";
    QTest::newRow("five, no hash: last") << "12 30 00 : +45 00 00 ; 2000.0 ; NGC 1 ; extra" << true << 5
                                         << "extra" << "12:30:00" << "+45:00:00" << "2000.0";
    QTest::newRow("name with colon") << "12 30 00 : +45 00 00 ; 2000.0 # M 31: core" << true << 5
                                     << "M 31: core" << "12:30:00" << "+45:00:00" << "2000.0";
    QTest::newRow("name after first hash") << "12 30 00 : +45 00 00 ; 2000 # a;b # c" << true << 6
                                           << "a;b # c" << "12:30:00" << "+45:00:00" << "2000";
    QTest::newRow("tabs and runs of blanks") << " \t12\t 30   00:+45  00 00;J2000;  Vega  " << true << 4
                                             << "Vega" << "12:30:00" << "+45:00:00" << "J2000";
    QTest::newRow("date epoch") << "05 35 17.3 ; -05 23 28 ; 15-Jan-2024 # M42" << true << 4
                                << "M42" << "05:35:17.3" << "-05:23:28" << "2024.04";
    QTest::newRow("cyrillic name") << "01 02 03 : +04 05 06 ; 2000.0 # Туманность Ориона" << true << 4
                                   << QString::fromUtf8("Туманность Ориона") << "01:02:03" << "+04:05:06" << "2000.0";
}

void Test_lst_format::line_kinds()
{
    QFETCH(QString, line);
    QFETCH(bool, is_object);
    const Orvex_lst_line parsed = lst_parse_line(line);
    QCOMPARE(lst_is_object_line(line), is_object);
    QCOMPARE(parsed.is_object, is_object);
    if (!is_object)
        return;
    QTEST(parsed.field_count, "fields");
    QTEST(parsed.name, "name");
    QTEST(parsed.ra_text, "ra");
    QTEST(parsed.decl_text, "decl");
    QTEST(parsed.epoch_text, "epoch");
}

void Test_lst_format::record_from_line_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("is_comment");
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("ra");
    QTest::addColumn<double>("decl");
    QTest::addColumn<double>("epoch");
    QTest::addColumn<QString>("epoch_text");

    QTest::newRow("worked example") << " 5 35 17.3   : -5 23 28    ; 2000.0 # M42" << false
                                    << "M42" << 20117.3 << -19408.0 << 2000.0 << "2000.0";
    QTest::newRow("two fields") << "05 35 17.3 : -05 23 28" << false
                                << "Unknown" << 20117.3 << -19408.0 << 2000.0 << "2000.0";
    QTest::newRow("three with hash") << "12 30 00 : -00 30 00 # X" << false
                                     << "X" << 45000.0 << -1800.0 << 2000.0 << "2000.0";
    QTest::newRow("epoch not a number") << "12 30 00 : +45 00 00 ; J2000 # Y" << false
                                        << "Y" << 45000.0 << 162000.0 << 0.0 << "J2000";
    QTest::newRow("invalid date") << "12 30 00 : +45 00 00 ; 30-Feb-2023 # Z" << false
                                  << "Z" << 45000.0 << 162000.0 << 0.0 << "nan"; // the text stays, the number is none
    QTest::newRow("comment keeps a blank record") << "# M42" << true
                                                  << "" << 0.0 << 0.0 << 2000.0 << "";
}

void Test_lst_format::record_from_line()
{
    QFETCH(QString, line);
    QFETCH(double, ra);
    QFETCH(double, decl);
    QFETCH(double, epoch);
    Orvex_object record;
    lst_fill_record(&record, lst_parse_line(line));
    QTEST(record.is_comment, "is_comment");
    QTEST(record.name, "name");
    QVERIFY(qAbs(record.ra - ra) < 1e-6);
    QVERIFY(qAbs(record.decl - decl) < 1e-6);
    QCOMPARE(record.epoch, epoch);
    QTEST(record.epoch_text, "epoch_text");
}

void Test_lst_format::epoch_dates_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("epoch");

    QTest::newRow("month name") << "15-Jan-2024" << "2024.04";
    QTest::newRow("numeric mid-year") << "01-07-2023" << "2023.50";
    QTest::newRow("last day of leap year") << "31-12-2024" << "2025.00";
    QTest::newRow("first day") << "1-Jan-2023" << "2023.00";
    QTest::newRow("29 Feb in leap year") << "29-02-2024" << "2024.16";
    QTest::newRow("year as written") << "15-01-24" << "24.04";
    QTest::newRow("fractional year ignored") << "15-Jan-2024.7" << "2024.04";
    QTest::newRow("text after the year ignored") << "15-Jan-2024 UT" << "2024.04";
    QTest::newRow("lower-case month unknown") << "1-jan-2023" << "nan";
    QTest::newRow("long month name unknown") << "1-January-2023" << "nan";
    QTest::newRow("month 13") << "1-13-2023" << "nan";
    QTest::newRow("month 0") << "1-0-2023" << "nan";
    QTest::newRow("day beyond month") << "29-02-2023" << "nan";
    QTest::newRow("day 0") << "0-1-2023" << "nan";
    QTest::newRow("numbers too long for int") << "99999999999-1-2023" << "nan";
    QTest::newRow("plain number unchanged") << "2000.0" << "2000.0";
    QTest::newRow("two parts is no date") << "15-01" << "15-01";
    QTest::newRow("letters first is no date") << "Jan-15-2024" << "Jan-15-2024";
    QTest::newRow("empty") << "" << "";
}

void Test_lst_format::epoch_dates()
{
    QFETCH(QString, field);
    QTEST(lst_epoch_text(field), "epoch");
}

void Test_lst_format::object_pair_data()
{
    QTest::addColumn<QString>("ra");
    QTest::addColumn<QString>("decl");
    QTest::addColumn<bool>("is_object");

    QTest::newRow("colons") << "12:30:00" << "+45:00:00" << true;
    QTest::newRow("blanks") << "12 30 00" << "-45 00 00" << true;
    QTest::newRow("two digits") << "12" << "45" << true;
    QTest::newRow("several signs") << "12" << "+-5" << true;
    QTest::newRow("one-character R.A.") << "5" << "+45:00:00" << false;
    QTest::newRow("one-character Decl.") << "12:30:00" << "5" << false;
    QTest::newRow("signs only") << "12:30:00" << "+-" << false;
    QTest::newRow("R.A. starts with a sign") << "+12:30" << "+45" << false;
    QTest::newRow("name in R.A.") << "M31" << "+45" << false;
    QTest::newRow("empty") << "" << "" << false;
}

void Test_lst_format::object_pair()
{
    QFETCH(QString, ra);
    QFETCH(QString, decl);
    QTEST(lst_is_object_pair(ra, decl), "is_object");
}

void Test_lst_format::written_lines()
{
    const QString m42 = lst_object_line("5:35:17.3", "-5:23:28", "2000.0", "M42");
    QCOMPARE(m42, QStringLiteral(" 5 35 17.3   : -5 23 28    ; 2000.0 # M42"));
    QCOMPARE(m42.size(), 41);

    // Long texts push the columns instead of being cut.
    QCOMPARE(lst_object_line("12:30:00.1234", "+45:00:00.123", "2000.125", "x"),
             QStringLiteral(" 12 30 00.1234 : +45 00 00.123 ; 2000.125 # x"));
    // A '%' in a text is text, not a place marker.
    QCOMPARE(lst_object_line("12:30:%2", "+45", "%1", "50%3"),
             QStringLiteral(" 12 30 %2    : +45         ; %1     # 50%3"));
    QCOMPARE(lst_comment_line("look here"), QStringLiteral("# look here"));
    QCOMPARE(lst_comment_line(""), QStringLiteral("# "));
}

void Test_lst_format::written_lines_read_back()
{
    const Orvex_lst_line back = lst_parse_line(
        lst_object_line("5:35:17.3", "-5:23:28", "15-Jan-2024", "M 42: core; neb"));
    QVERIFY(back.is_object);
    QCOMPARE(back.ra_text, QStringLiteral("5:35:17.3"));
    QCOMPARE(back.decl_text, QStringLiteral("-5:23:28"));
    QCOMPARE(back.epoch_text, QStringLiteral("2024.04"));
    QCOMPARE(back.name, QStringLiteral("M 42: core; neb"));

    // An R.A. of fewer than three numbers cannot come back as an object.
    QVERIFY(!lst_is_object_line(lst_object_line("12:30", "+45:00:00", "2000.0", "a")));
    QVERIFY(!lst_is_object_line(lst_object_line("12", "+45:00:00", "2000.0", "a")));
    QVERIFY(!lst_is_object_line(lst_comment_line("12 30 00 : +45 00 00")));
}

QTEST_APPLESS_MAIN(Test_lst_format)
#include "test_lst_format.moc"

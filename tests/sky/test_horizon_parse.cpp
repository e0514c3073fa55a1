// Horizon reply bodies of every form, read without a network.
#include "orvex_horizon_parse.h"

#include <QtTest>

class Test_horizon_parse : public QObject
{
    Q_OBJECT

private slots:
    void points_turn_to_the_south_and_to_zenith_distance()
    {
        const Horizon_reply r =
            parse_horizon_reply("0 10\n270\t -2\n180 0\n200 5 extra fields\n");
        QVERIFY(!r.reverse);
        QCOMPARE(r.points.size(), 4);
        QCOMPARE(r.points[0].az, 180.0);
        QCOMPARE(r.points[0].zd, 80.0);
        QCOMPARE(r.points[1].az, 90.0);
        QCOMPARE(r.points[1].zd, 92.0);   // kept unlimited
        QCOMPARE(r.points[2].az, 360.0);  // not above 360: kept
        QCOMPARE(r.points[3].az, 20.0);
        QCOMPARE(r.points[3].zd, 85.0);
    }

    void unreadable_fields_count_zero()
    {
        const Horizon_reply r = parse_horizon_reply(
            "\nabc def\n12\n  #not a header\nnan inf\n1e999 -1e999\n7,5 3\r\n");
        QCOMPARE(r.points.size(), 7);
        for (const HorizonPoint &p : r.points)
            QVERIFY(std::isfinite(p.az) && std::isfinite(p.zd));
        QCOMPARE(r.points[0].az, 180.0); // an empty line is a point too
        QCOMPARE(r.points[0].zd, 90.0);
        QCOMPARE(r.points[1].az, 180.0);
        QCOMPARE(r.points[2].az, 192.0); // missing altitude
        QCOMPARE(r.points[2].zd, 90.0);
        QCOMPARE(r.points[3].az, 180.0); // "#" not at the line's start
        QCOMPARE(r.points[4].zd, 90.0);
        QCOMPARE(r.points[5].az, 180.0);
        QCOMPARE(r.points[6].az, 180.0); // decimal comma is not a number
        QCOMPARE(r.points[6].zd, 87.0);
    }

    void headers_choose_the_set_before_the_first_point()
    {
        QVERIFY(parse_horizon_reply("# reverse side\n1 2\n").reverse);
        QVERIFY(parse_horizon_reply("#reverse\n").reverse);
        QVERIFY(!parse_horizon_reply("# reverse\n# direct\n1 2\n").reverse);
        QVERIFY(parse_horizon_reply("# direct\n# comment\n#reverse\n").reverse);
        // Naming neither keeps the choice.
        QVERIFY(parse_horizon_reply("#reverse\n# site profile\n1 2\n").reverse);
        // After the first point headers change nothing.
        const Horizon_reply late = parse_horizon_reply("1 2\n# reverse\n3 4\n");
        QVERIFY(!late.reverse);
        QCOMPARE(late.points.size(), 2);
        QVERIFY(!parse_horizon_reply("").reverse);
        QCOMPARE(parse_horizon_reply("").points.size(), 0);
        QCOMPARE(parse_horizon_reply("# reverse").points.size(), 0);
    }

    void no_more_than_360_points()
    {
        QByteArray body = "# reverse\n";
        for (int i = 0; i < 400; ++i)
            body += QByteArray::number(i) + " 1\n";
        const Horizon_reply r = parse_horizon_reply(body);
        QCOMPARE(r.points.size(), 360);
        QCOMPARE(r.points.last().az, 359.0 + 180.0 - 360.0);
    }

    void last_line_without_end_and_crlf()
    {
        const Horizon_reply r = parse_horizon_reply("10 20\r\n30 40");
        QCOMPARE(r.points.size(), 2);
        QCOMPARE(r.points[1].az, 210.0);
        QCOMPARE(r.points[1].zd, 50.0);
    }

    void arbitrary_bytes_never_break_it()
    {
        // Cheap stand-in for the fuzzer: random bytes with many separators.
        QRandomGenerator rng(42);
        for (int round = 0; round < 300; ++round) {
            QByteArray body(int(rng.bounded(600)), '\0');
            for (char &c : body) {
                static const char pool[] = "0123456789 .-+e#\n\r\tnaif\0\xff";
                c = pool[rng.bounded(int(sizeof pool))];
            }
            const Horizon_reply r = parse_horizon_reply(body);
            QVERIFY(r.points.size() <= 360);
            for (const HorizonPoint &p : r.points)
                QVERIFY(std::isfinite(p.az) && std::isfinite(p.zd));
        }
    }
};

QTEST_GUILESS_MAIN(Test_horizon_parse)
#include "test_horizon_parse.moc"

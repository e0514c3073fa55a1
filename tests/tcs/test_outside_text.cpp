// Texts from outside (TCS replies and reason phrases, the users list, list
// files, file names, the host) reach the screen as the characters they are:
// no tag drawn, no picture loaded, no link to click, wherever they show.
#include "common/orvex_test_http.h"
#include "orvex_log.h"
#include "orvex_object.h"
#include "tcs_window_support.h"

#include <QDesktopServices>
#include <QtTest>

using Answer = Orvex_test_http::Answer;

namespace {

const QByteArray users_path = "/tcs/orvex_users_all.cgi", state_path = "/tcs/otcs_get.cgi",
                 horizon_path = "/tcs/orvex_horizon.php";
// The colour of the probe picture: no widget of the program draws it.
const QColor picture_colour(40, 200, 90);

enum class Place {
    tel_mode,    // state label
    tcs_mode,    // TCS label
    user,        // level label and its tool tip
    obj_name,    // the question before a slew, name from the TCS
    users_list,  // users combo box
    state_500,   // error box of the state request
    users_500,   // error box of the users list
    horizon_500, // error box of the sky window's horizon request
    lst_name,    // list line, and the question before a slew from the list
    file_name,   // status bar after a list file failed
    host,        // host label and its tool tip
};

// What one widget showed.
struct Shown
{
    QString where, text;
    Qt::TextFormat format = Qt::AutoText;
    int picture_pixels = 0;
    int link_clicks = 0;
};

int picture_pixels(QWidget *widget)
{
    const QImage img = widget->grab().toImage();
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += img.pixelColor(x, y) == picture_colour;
    return n;
}

// What a tool tip shows: markup as the toolkit reads it, else the text itself.
QString tool_tip_shown(const QString &tip)
{
    if (!Qt::mightBeRichText(tip))
        return tip;
    QTextDocument doc;
    doc.setHtml(tip);
    return doc.toPlainText();
}

// A label's text fits where every piece between ellipses is part of the
// whole and it begins as the whole does.
bool shows_part_of(const QString &text, const QString &whole)
{
    for (const QString &piece : text.split(QChar(0x2026)))
        if (!whole.contains(piece))
            return false;
    return text.startsWith(whole.left(6));
}

} // namespace

Q_DECLARE_METATYPE(Place)

// Every message box that opens, modal or not, is looked at while it is
// open (its text, its format, a picture in it, a click on every spot of its
// text) and then closed.
struct Box_watch : QObject
{
    Q_OBJECT

public:
    QList<Shown> boxes;
    int links_opened = 0;
    QTimer timer;

    Box_watch()
    {
        // A link that gets opened lands here, not at the desktop's opener.
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open");
        connect(&timer, &QTimer::timeout, this, [this] {
            for (QWidget *top : QApplication::topLevelWidgets()) {
                auto *box = qobject_cast<QMessageBox *>(top);
                if (box && box->isVisible() && !box->property("seen").toBool())
                    look_at(box);
            }
        });
        timer.start(20);
    }
    ~Box_watch() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

public slots:
    void open(const QUrl &) { ++links_opened; }

private:
    void look_at(QMessageBox *box)
    {
        box->setProperty("seen", true);
        Shown s{box->windowTitle(), box->text(), box->textFormat(), picture_pixels(box), 0};
        if (auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
            int activated = 0;
            connect(label, &QLabel::linkActivated, this, [&activated] { ++activated; });
            for (int y = 2; y < label->height(); y += 4)
                for (int x = 2; x < label->width(); x += 4)
                    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(x, y));
            disconnect(label, &QLabel::linkActivated, this, nullptr);
            s.link_clicks = activated + links_opened;
        }
        boxes.append(s);
        box->done(QMessageBox::Ok);
    }
};

class Test_outside_text : public QObject
{
    Q_OBJECT

    Orvex_test_http server;
    QTemporaryDir dir;
    Orvex_Obj_List *w = nullptr;
    QStringList out, err;

    void call(const char *slot) { QVERIFY(QMetaObject::invokeMethod(w, slot)); }
    void get_state(const QByteArray &body)
    {
        server.answers[state_path] = {200, body};
        call("on_orvex_get_btn_clicked");
        QTRY_VERIFY(!w->get_reply);
    }
    void start(const QByteArray &path = QByteArray(), const Answer &answer = Answer())
    {
        if (!path.isEmpty())
            server.answers[path] = answer;
        w = make_window(server.host());
        w->show();
        QTRY_VERIFY(!w->users_reply);
    }
    Shown label(const char *where, QLabel *l)
    {
        return {QLatin1String(where), l->text(), l->textFormat(), picture_pixels(l), 0};
    }
    // The question before a slew for the object in the form; far below the
    // horizon at sidereal time 0.
    void slew()
    {
        sidereal_time = 0;
        call("on_orvex_slew_btn_clicked");
    }

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        server.bodies["*"] = "";
        QImage picture(24, 24, QImage::Format_RGB32);
        picture.fill(picture_colour);
        QVERIFY(picture.save(dir.filePath("probe.png")));
    }
    void init()
    {
        out = err = QStringList();
        set_log_capture(&out, &err);
        server.answers = {{users_path, {200, "guest Guest account\n"}}};
    }
    void cleanup()
    {
        delete w;
        w = nullptr;
        set_log_capture(nullptr, nullptr);
    }

    void every_place_plain_data()
    {
        QTest::addColumn<Place>("place");
        QTest::addColumn<QString>("probe");
        const QStringList probes{QStringLiteral("<b>x</b>"),
                                 QStringLiteral("<img src=\"%1\">").arg(dir.filePath("probe.png")),
                                 QStringLiteral("<a href=\"file:/tmp/x\">LOG IN</a>")};
        const QList<QPair<const char *, Place>> places{
            {"TelMode", Place::tel_mode},       {"TCSmode", Place::tcs_mode},
            {"User", Place::user},              {"ObjName", Place::obj_name},
            {"users list", Place::users_list},  {"state 500", Place::state_500},
            {"users 500", Place::users_500},    {"horizon 500", Place::horizon_500},
            {".lst name", Place::lst_name},     {"file name", Place::file_name},
            {"host", Place::host}};
        const char *probe_names[] = {"bold", "picture", "link"};
        for (const auto &place : places)
            for (int i = 0; i < probes.size(); ++i)
                QTest::addRow("%s %s", place.first, probe_names[i]) << place.second << probes[i];
    }
    void every_place_plain()
    {
        QFETCH(Place, place);
        QFETCH(QString, probe);
        const QByteArray raw = probe.toUtf8();
        Box_watch watch;
        QList<Shown> shown;
        QString tip, tip_whole; // a tool tip and the text it must show

        switch (place) {
        case Place::tel_mode:
            start();
            get_state("TelMode=" + raw + "\nState=Ok\n");
            shown << label("state label", w->ui->orvex_state_lab);
            break;
        case Place::tcs_mode:
            start();
            get_state("TCSmode=" + raw + "\nState=Ok\n");
            shown << label("TCS label", w->ui->orvex_tcs_lab);
            break;
        case Place::user: {
            start();
            get_state("User=" + raw + "\nLevel=5\nState=Ok\n");
            tip_whole = "User=" + probe + " Level=5 ";
            Shown s = label("level label", w->ui->orvex_level_lab);
            QVERIFY2(shows_part_of(s.text, tip_whole), qPrintable(s.text));
            s.text = tip_whole; // elided to fit; its pieces were checked
            shown << s;
            tip = w->ui->orvex_level_lab->toolTip();
            break;
        }
        case Place::obj_name:
            start();
            get_state("ObjName=" + raw + "\nra2000=12:00:00\ndec2000=-30:00:00\nState=Ok\n");
            QCOMPARE(w->ui->orvex_obj_edt->text(), probe);
            slew();
            break;
        case Place::users_list:
            start(users_path, {200, "observer " + raw + "\nguest Guest account\n"});
            w->ui->orvex_user_cb->setCurrentIndex(0);
            // Items are drawn as plain text by the combo box itself.
            shown << Shown{"users combo box", w->ui->orvex_user_cb->itemText(0), Qt::PlainText,
                           picture_pixels(w->ui->orvex_user_cb), 0};
            break;
        case Place::state_500:
            start();
            server.answers[state_path] = {500, "", false, false, raw};
            call("on_orvex_get_btn_clicked");
            QTRY_VERIFY(!w->get_reply);
            break;
        case Place::users_500:
            start(users_path, {500, "", false, false, raw});
            break;
        case Place::horizon_500:
            start(horizon_path, {500, "", false, false, raw});
            break;
        case Place::lst_name: {
            start();
            QFile file(dir.filePath("probe.lst"));
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(" 12 00 00 : -30 00 00 ; 2000.0 # " + raw + "\n");
            file.close();
            QVERIFY(w->list_win->read_list_file(file.fileName()));
            QListWidget *lines = w->list_win->ui->orvex_obj_lst;
            // List lines are drawn as plain text by the list itself.
            shown << Shown{"list line", lines->item(0)->text(), Qt::PlainText, picture_pixels(lines), 0};
            QCOMPARE(lines->item(0)->toolTip(), QString());
            emit lines->itemDoubleClicked(lines->item(0));
            QCOMPARE(w->ui->orvex_obj_edt->text(), probe);
            slew();
            break;
        }
        case Place::file_name:
            start();
            QVERIFY(!w->list_win->read_list_file(dir.filePath(probe + ".lst")));
            // The status bar draws its message as plain text.
            shown << Shown{"status bar", w->statusBar()->currentMessage(), Qt::PlainText,
                           picture_pixels(w->statusBar()), 0};
            break;
        case Place::host:
            start();
            w->ui->show_tcs_host(probe);
            tip_whole = probe;
            Shown s = label("host label", w->ui->orvex_host_lab);
            QVERIFY2(shows_part_of(s.text, probe), qPrintable(s.text));
            s.text = probe;
            shown << s;
            tip = w->ui->orvex_host_lab->toolTip();
            break;
        }

        const QList<Place> box_places{Place::obj_name, Place::state_500, Place::users_500,
                                      Place::horizon_500, Place::lst_name};
        if (box_places.contains(place)) {
            QTRY_VERIFY(!watch.boxes.isEmpty());
            const int before = shown.size();
            for (const Shown &box : watch.boxes)
                if (box.text.contains(probe))
                    shown << box;
            QVERIFY2(shown.size() > before, qPrintable(watch.boxes.first().text));
        }
        for (const Shown &s : shown) {
            const QString what = s.where + QStringLiteral(": ") + s.text;
            QVERIFY2(s.text.contains(probe), qPrintable(what));
            QVERIFY2(s.picture_pixels == 0, qPrintable(what));
            QVERIFY2(s.link_clicks == 0, qPrintable(what));
            QVERIFY2(s.format == Qt::PlainText, qPrintable(what));
        }
        if (!tip_whole.isNull())
            QCOMPARE(tool_tip_shown(tip), tip_whole);
        QCOMPARE(watch.links_opened, 0);
    }
};

QTEST_MAIN(Test_outside_text)
#include "test_outside_text.moc"

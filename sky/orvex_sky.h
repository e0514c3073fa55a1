#ifndef ORVEX_SKY_H
#define ORVEX_SKY_H

#include "orvex_horizon_parse.h"
#include "orvex_object.h"
#include "orvex_reply_guard.h"

#include <QFrame>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPen>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>

class Orvex_list;
struct Orvex_horizon_sets;
class QPainter;
class QPaintDevice;

// The sky window: the local sky as a disc, horizon at the rim, zenith in the
// centre, with the grid, the horizon profile, the listed objects, the
// selected object and the telescope.
class Orvex_sky : public QFrame
{
    Q_OBJECT

public:
    Orvex_sky(QWidget *parent, Orvex_object_list *objects,
              Orvex_object *telescope);
    ~Orvex_sky() override;

    void set_view_ksv(bool on);
    void set_grid_az(bool on);
    // Night vision: the view paints with its night colours.
    void set_night(bool on);
    void set_list_window(Orvex_list *list);
    void retranslate();
    void set_tel_flip(bool flip);
    void set_state_ok(bool ok);
    // Whether the last replies gave the telescope's position as numbers at
    // all; one that did not leaves no place to draw the telescope at.
    void set_position_known(bool known);
    // The last good state is old (no newer one for too long) and how old,
    // in seconds: the telescope is drawn in the old style, with its age.
    void set_state_old(bool old, int age_seconds);
    void state_updated();
    void list_changed();
    void set_current(int index);
    // Writes each object's name beside its circle (off at start).
    void set_show_names(bool on);
    // The letters of the cardinal points N, E, S, W in the interface language.
    QStringList cardinal_letters() const;
    // The tool tip for the pointer at p: the placed object under it, as a
    // click would hit it; empty over empty sky.
    QString hover_text_at(const QPoint &p) const;

    // False, and x = y = -1, for a position with no direction.
    bool project(double A, double Z, int &x, int &y) const;
    void project_objects();

    // Draws the whole view onto any device (the widget itself, or an image
    // in tests and benchmarks), sized by the device.
    void paint_sky(QPaintDevice *device);

    void request_horizon(bool direct);
    // Both profiles and the pier side, for the check before a slew.
    Orvex_horizon_sets horizon_sets() const;

    // The state is open so that tests can set up and inspect a view.
    Orvex_list *list_window = nullptr;
    int view_size = 550;
    Orvex_object_list *objects;
    int current_index = -1;
    Orvex_object *telescope;
    bool all_sky = true;
    bool hadec_grid = true;
    bool night = false;
    bool tel_flip = false;
    bool tel_flip_known = false; // a state reply has told the side
    bool state_ok = false;
    bool position_known = true;
    bool state_old = false;
    int state_age_seconds = 0;
    bool show_names = false;
    // Where the last paint wrote the letters N, E, S, W.
    QVector<QRect> cardinal_rects;
    QString host;
    QNetworkAccessManager network_manager;
    QNetworkReply *horizon_reply = nullptr;
    // The reply in flight answers a 'rev' request (else a 'dir' one).
    bool horizon_reply_reverse = false;
    // A horizon request refused while another was in flight: 1 'direct',
    // 2 'reverse', 0 none.
    int horizon_waiting = 0;
    // A horizon request not finished after this many ms is given up.
    int horizon_timeout_ms = Orvex_reply_guard::max_reply_ms;
    HorizonPoint horizon_direct[horizon_max_points];
    HorizonPoint horizon_reverse[horizon_max_points];
    int direct_count = 0;
    int reverse_count = 0;

protected:
    bool event(QEvent *event) override;

protected slots:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private slots:
    void get_horizon_line();
    void get_horizon_finish();
    void get_horizon_error(QNetworkReply::NetworkError code);

private:
    void paint_grid_az(QPainter &painter);
    void paint_grid_hadec(QPainter &painter, QPen &gray);
    // Pixel of hour angle h (hours) and declination d (degrees); returns
    // the zenith distance in degrees.
    double paint_hadec_point(double h, double d, int &x, int &y) const;
    void paint_telescope(QPainter &painter, QPen &pen_b);
    // Draws a telescope text line at baseline y, from x or further left
    // where it would run out of the view.
    void paint_telescope_line(QPainter &painter, int x, int y, const QString &text);
    void paint_horizon(QPainter &painter, QPen &pen_b);
    void paint_objects(QPainter &painter, QPen &pen_a, QPen &pen_b);
    void paint_selection_text(QPainter &painter, const Orvex_object &o,
                              QPen &pen_a);
    void paint_cardinal_points(QPainter &painter, const QColor &color);
    void paint_object_names(QPainter &painter, const QColor &color);
    // The corners where the telescope's and the selection's numbers go.
    QVector<QRect> text_block_rects(const QPainter &painter) const;
    void store_horizon(const Horizon_reply &reply);
    void release_horizon_reply();
    void send_waiting_horizon();
};

#endif

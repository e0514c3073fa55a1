#ifndef ORVEX_OBJECT_H
#define ORVEX_OBJECT_H

#include <QByteArray>
#include <QList>
#include <QString>

// One line of the objects list (an object or a comment), the telescope's
// position, and the main window's form all share this record.
//
// Units: R.A., hour angle and sidereal time in seconds of time; Decl.,
// azimuth and zenith distance in arcseconds; azimuth from the south point
// through the west.
class Orvex_object
{
public:
    Orvex_object();
    virtual ~Orvex_object();

    // Each shorter setter calls the next longer one through the virtual
    // table, so an override of a longer form is reached from the shorter.
    virtual void set_form(QString ra_text, QString decl_text);
    virtual void set_form(QString name, QString ra_text, QString decl_text);
    virtual void set_form(QString name, QString ra_text, QString decl_text,
                          QString epoch_text);

    // Horizontal rates (arcsec/s of A and Z) from equatorial rates, using
    // this record's decl and zenith.
    void rates_to_horizontal(double ha_rate, double decl_rate,
                             double pa_degrees, double &a_rate,
                             double &z_rate) const;

    bool is_comment = true;
    double azimuth = 0;
    double zenith = 0;
    double hour_angle = 0;
    double ra = 0;
    double decl = 0;
    double epoch = 2000.0;
    int index = 0;
    int screen_x = 0;
    int screen_y = 0;
    QString name;
    QString ra_text;
    QString decl_text;
    QString epoch_text;
    // The whole list line this record stands for, as read from a file or
    // built from the form: what a save writes. The list widget shows it cut
    // to a displayable length.
    QString list_line;
    // The bytes list_line was read from, when a save of list_line would not
    // give them back (a line in another encoding than the system's): a line
    // nobody edited is saved exactly as it was read. Null otherwise.
    QByteArray list_bytes;
};

using Orvex_object_list = QList<Orvex_object *>;

// Process-wide local sidereal time in seconds of time; negative means not
// available yet.
extern double sidereal_time;

namespace orvex {
constexpr double arcsec_per_sec = 15.0;
constexpr double arcsec_full_circle = 1296000.0;
constexpr double arcsec_per_pi = 648000.0;
constexpr double rad_per_arcsec = 4.84813681109536e-06;
constexpr double pi = 3.141592653589793;
constexpr double sin_lat = 0.6902957888;
constexpr double cos_lat = 0.7235272793;
}

double hms_to_sec(const char *text);
double dms_to_arcsec(const char *text);
double ra_text_to_sec(const QString &text);
double decl_text_to_arcsec(const QString &text);
QString sec_to_hms(double t);
QString arcsec_to_dms(double a);
void equ_to_horizontal(double ra, double decl, double &azimuth,
                       double &zenith);
// The same at a given sidereal time (seconds of time, not negative), for
// where an object will be rather than where it is.
void equ_to_horizontal_at(double lst, double ra, double decl, double &azimuth,
                          double &zenith);
void update_sidereal_time();

#endif

#include "orvex_object.h"

#include "orvex_number.h"
#include "orvex_sidereal.h"

#include <QLocale>
#include <QStringList>

#include <cmath>

double sidereal_time = -1.0;

Orvex_object::Orvex_object()
{
    // Numbers in records and list lines always use "." as decimal point.
    QLocale::setDefault(QLocale::c());
}

Orvex_object::~Orvex_object() = default;

void Orvex_object::set_form(QString ra_text, QString decl_text)
{
    set_form(QStringLiteral("Unknown"), ra_text, decl_text);
}

void Orvex_object::set_form(QString name, QString ra_text, QString decl_text)
{
    set_form(name, ra_text, decl_text, QStringLiteral("2000.0"));
}

void Orvex_object::set_form(QString name, QString ra_text, QString decl_text,
                            QString epoch_text)
{
    this->name = name;
    this->ra_text = ra_text;
    this->decl_text = decl_text;
    this->epoch_text = epoch_text;
    ra = ra_text_to_sec(ra_text);
    decl = decl_text_to_arcsec(decl_text);
    epoch = number_or_zero(epoch_text); // "nan" from an impossible date is no epoch either
    equ_to_horizontal(ra, decl, azimuth, zenith);
}

void Orvex_object::rates_to_horizontal(double ha_rate, double decl_rate,
                                       double pa_degrees, double &a_rate,
                                       double &z_rate) const
{
    const double cos_decl = std::cos(decl * orvex::pi / orvex::arcsec_per_pi);
    double sin_z = std::sin(zenith * orvex::pi / orvex::arcsec_per_pi);
    if (sin_z < 0.0001)
        sin_z = 0.0001; // near the zenith the azimuth rate has no bound
    const double q = pa_degrees * orvex::pi / 180.0;
    const double w = ha_rate * orvex::arcsec_per_sec * cos_decl;
    a_rate = (w * std::cos(q) + decl_rate * std::sin(q)) / sin_z;
    z_rate = w * std::sin(q) - decl_rate * std::cos(q);
}

void update_sidereal_time()
{
    sidereal_time = sidereal_time_at(QDateTime::currentDateTime());
}

void equ_to_horizontal(double ra, double decl, double &azimuth,
                       double &zenith)
{
    if (sidereal_time < 0) {
        azimuth = 0;
        zenith = 0;
        return;
    }
    equ_to_horizontal_at(sidereal_time, ra, decl, azimuth, zenith);
}

void equ_to_horizontal_at(double lst, double ra, double decl, double &azimuth,
                          double &zenith)
{
    double ha = (lst - ra) * orvex::arcsec_per_sec;
    if (ha < 0)
        ha += orvex::arcsec_full_circle;
    const double h = ha * orvex::rad_per_arcsec;
    const double d = decl * orvex::pi / orvex::arcsec_per_pi;
    const double cd = std::cos(d), sd = std::sin(d);
    const double ch = std::cos(h), sh = std::sin(h);
    zenith = std::acos(cd * orvex::cos_lat * ch + sd * orvex::sin_lat)
             * orvex::arcsec_per_pi / orvex::pi;
    azimuth = std::atan2(sh * cd, cd * orvex::sin_lat * ch - sd * orvex::cos_lat)
              * orvex::arcsec_per_pi / orvex::pi;
}

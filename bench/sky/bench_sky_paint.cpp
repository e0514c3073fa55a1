// One paint of a 550-pixel sky view into an image, with 1,000 and 10,000
// listed objects above the horizon, in both grids and both projections,
// beside the bare cost of drawing the same circles with QPainter.
#include "orvex_sky.h"
#include "orvex_sky_math.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <memory>

namespace {

struct Scene
{
    Orvex_object_list list;
    Orvex_object telescope;
    std::unique_ptr<Orvex_sky> view;
    QImage image{550, 550, QImage::Format_ARGB32_Premultiplied};

    Scene(int objects, bool all_sky, bool hadec)
    {
        sidereal_time = 43200;
        telescope.is_comment = false;
        telescope.azimuth = 30 * 3600;
        telescope.zenith = 40 * 3600;
        view.reset(new Orvex_sky(nullptr, &list, &telescope));
        view->all_sky = all_sky;
        view->hadec_grid = hadec;
        view->state_ok = true;
        for (int i = 0; i < 360; ++i) {
            view->horizon_direct[i].az = i;
            view->horizon_direct[i].zd = 85 + (i % 7);
        }
        view->direct_count = 360;

        QRandomGenerator rng(7);
        while (list.size() < objects) {
            auto *o = new Orvex_object;
            o->is_comment = false;
            o->ra = rng.bounded(86400.0);
            o->decl = (rng.bounded(136.0) - 46.0) * 3600;
            equ_to_horizontal(o->ra, o->decl, o->azimuth, o->zenith);
            if (o->zenith >= 85 * 3600.0) {
                delete o;
                continue;
            }
            o->name = QStringLiteral("Object %1").arg(list.size());
            o->index = list.size();
            list.append(o);
        }
        view->current_index = 0;
        view->project_objects();
    }

    ~Scene()
    {
        view.reset();
        qDeleteAll(list);
    }
};

void paint_view(benchmark::State &state)
{
    Scene scene(int(state.range(0)), state.range(1) != 0, state.range(2) != 0);
    for (auto _ : state) {
        scene.view->paint_sky(&scene.image);
        benchmark::DoNotOptimize(scene.image.constBits());
    }
    state.SetLabel(std::string(state.range(1) ? "all-sky" : "KSV") + ", "
                   + (state.range(2) ? "HA/Decl grid" : "A/Z grid"));
}

// The circles alone, at the same places, with the same pen.
void bare_circles(benchmark::State &state)
{
    Scene scene(int(state.range(0)), true, false);
    const int s = sky_marker_size(550);
    for (auto _ : state) {
        QPainter painter(&scene.image);
        painter.setPen(QPen(QBrush(Qt::black), 2, Qt::SolidLine));
        painter.setBrush(Qt::NoBrush);
        for (const Orvex_object *o : qAsConst(scene.list))
            painter.drawEllipse(QPoint(o->screen_x, o->screen_y), s, s);
        painter.end();
        benchmark::DoNotOptimize(scene.image.constBits());
    }
}

} // namespace

BENCHMARK(paint_view)
    ->ArgsProduct({{1000, 10000}, {1, 0}, {1, 0}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(bare_circles)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The view asks for its horizon at construction; no event loop runs
    // here, so the request never lands, but keep it off the real host.
    qputenv("ORVEX_TCS_HOST", "127.0.0.1:9");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

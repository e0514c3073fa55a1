// Reading a long .lst file into the list window and saving it, each against
// the bare text-stream loop over the same lines.
#include "orvex_list.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QTextStream>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int line_count = 100000;

QTemporaryDir &work_dir()
{
    static QTemporaryDir dir;
    return dir;
}

QString list_path() { return work_dir().filePath("long.lst"); }

// Objects in every written form, comments and empty lines, some names in
// Cyrillic, the way observers' lists look.
void make_list_file()
{
    QFile file(list_path());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        qFatal("cannot write %s", qPrintable(list_path()));
    QTextStream out(&file);
    out.setCodec(QTextCodec::codecForLocale());
    for (int i = 0; i < line_count; ++i) {
        const int h = i % 24, m = i % 60, s = (i * 7) % 60;
        switch (i % 6) {
        case 0:
            out << "# block " << i / 6 << " of the night\n";
            break;
        case 1:
            out << QStringLiteral(" %1 %2 %3.4  : +%4 %5 %6    ; 2000.0 # NGC %7\n")
                       .arg(h).arg(m).arg(s).arg(i % 90).arg(m).arg(s).arg(i);
            break;
        case 2:
            out << QStringLiteral("%1 %2 %3 ; -%4 %5 %6 ; 15-Jan-2024 # Звезда %7\n")
                       .arg(h).arg(m).arg(s).arg(i % 90).arg(m).arg(s).arg(i);
            break;
        case 3:
            out << "\n";
            break;
        case 4:
            out << QStringLiteral("%1 %2 %3 : %4 %5 %6 ; 1950 ; HD %7 ; note\n")
                       .arg(h).arg(m).arg(s).arg(i % 90).arg(m).arg(s).arg(i);
            break;
        default:
            out << QStringLiteral("%1:%2:%3 colons make this a comment\n").arg(h).arg(m).arg(s);
            break;
        }
    }
}

long resident_kb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

struct Loaded_list
{
    Orvex_object_list records;
    std::unique_ptr<Orvex_list> window{new Orvex_list(nullptr, &records)};

    Loaded_list() { window->show(); }
    ~Loaded_list()
    {
        window.reset();
        qDeleteAll(records);
    }
};

void BM_read_into_list(benchmark::State &state)
{
    long rss = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto loaded = std::make_unique<Loaded_list>();
        QCoreApplication::processEvents();
        state.ResumeTiming();

        loaded->window->read_list_file(list_path());
        QCoreApplication::processEvents(); // lay out and paint the list
        if (loaded->records.size() != line_count)
            state.SkipWithError("wrong line count");

        state.PauseTiming();
        rss = resident_kb();
        loaded.reset();
        state.ResumeTiming();
    }
    // Resident size of the whole process with the list loaded.
    state.counters["rss_MB"] = rss / 1024.0;
}

void BM_bare_read(benchmark::State &state)
{
    for (auto _ : state) {
        QFile file(list_path());
        file.open(QIODevice::ReadOnly | QIODevice::Text);
        QTextStream in(&file);
        in.setCodec(QTextCodec::codecForLocale());
        QStringList lines;
        QString line;
        while (in.readLineInto(&line))
            lines.append(line);
        benchmark::DoNotOptimize(lines.size());
    }
}

void BM_save_list(benchmark::State &state)
{
    Loaded_list loaded;
    loaded.window->read_list_file(list_path());
    const QString target = work_dir().filePath("saved.lst");
    for (auto _ : state) {
        if (!loaded.window->write_list_file(target))
            state.SkipWithError("save failed");
    }
}

void BM_bare_write(benchmark::State &state)
{
    Loaded_list loaded;
    loaded.window->read_list_file(list_path());
    const QStringList lines = loaded.window->lines();
    const QString target = work_dir().filePath("bare.lst");
    for (auto _ : state) {
        QFile file(target);
        file.open(QIODevice::WriteOnly | QIODevice::Text);
        QTextStream out(&file);
        out.setCodec(QTextCodec::codecForLocale());
        for (const QString &line : lines)
            out << line << '\n';
    }
}

} // namespace

BENCHMARK(BM_read_into_list)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_bare_read)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_save_list)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_bare_write)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    make_list_file();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}

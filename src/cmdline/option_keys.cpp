#include "cmdline/option_keys.h"

#include <iterator>

#include "cmdline/read_values.h"

namespace {

// A switch's reader sets its flag; it reads no value.
#define SWITCH(field) [](ParseState& s, const char*, int) { s.o.field = true; }

constexpr const char* InputKeys::*no_family = nullptr;

}  // namespace

// The order is the help text's; matching needs none, as every key ends in
// "=" and every switch is matched whole.
const OptionKey option_keys[] = {
    // The first release's options, which the help text of old describes.
    {"IN=", "data/sts2.txt", no_family, 0, read_value::in_path, need_nothing, nullptr},
    {"OUT=", "sts2.gif", no_family, 0, read_value::out_path, need_nothing, nullptr},
    {"X_AXIS=", "0.01;100", no_family, 0, read_value::x_axis, need_nothing, nullptr},
    {"-linX", nullptr, no_family, 0, [](ParseState& s, const char*, int) { s.o.log_x = false; },
     need_nothing, nullptr},
    {"-linY", nullptr, no_family, 0, [](ParseState& s, const char*, int) { s.o.log_y = false; },
     need_nothing, nullptr},
    {"CAPTION=", "STS-2, BHZ", no_family, 0, read_value::caption, need_nothing, nullptr},
    {"SIZE=", "1024x768", no_family, 0, read_value::size, need_nothing, nullptr},
    {"SUB_GRID=", "10", no_family, 0, read_value::sub_grid, need_nothing, nullptr},
    {"SUB_GRIDX=", "5", no_family, 0, read_value::sub_grid_x, need_nothing, nullptr},
    {"SUB_GRIDY=", "5", no_family, 0, read_value::sub_grid_y, need_nothing, nullptr},
    {"DIMX=", "Frequency, Hz", no_family, 0, read_value::dim_x, need_nothing, nullptr},
    {"DIMY=", "Amplitude", no_family, 0, read_value::dim_y, need_nothing, nullptr},
    // Added since.
    {nullptr, "b.txt", &InputKeys::in_key, 1, read_value::in_path, need_nothing,
     " - Файлы других АЧХ, сравниваемых с IN="},
    {nullptr, "nominal", &InputKeys::name_key, 0, read_value::name, need_input,
     " - Подписи кривых IN= ... IN4= в легенде"},
    {nullptr, "PHASE.XX.STA.00.HHZ", &InputKeys::phase_key, 0, read_value::phase_path, need_input,
     " - Файлы фазы (частота, градусы) для IN= ... IN4=; включают -phase"},
    {nullptr, "VEL", &InputKeys::units_key, 0, read_value::in_units, need_input | need_units,
     " - Единицы текстового файла IN= ... IN4=: DIS, VEL или ACC"},
    {"FORMAT=", "PNG", no_family, 0, read_value::format, need_nothing,
     " - Формат: GIF, PNG, SVG, PDF или FAP (текст: частота, амплитуда, фаза)"},
    {"-report", nullptr, no_family, 0, SWITCH(report), need_nothing,
     " - Отчетный стиль: сглаженные линии, масштабируемый текст"},
    {"-fit", nullptr, no_family, 0, SWITCH(fit), need_nothing, " - Оси по данным"},
    {"-phase", nullptr, no_family, 0, SWITCH(phase), need_nothing,
     " - График фазы под графиком амплитуды"},
    {"-unwrap", nullptr, no_family, 0, SWITCH(unwrap), need_phase,
     " - Скачки фазы более 180 градусов устраняются (с -phase)"},
    {"DIMP=", "Phase, deg", no_family, 0, read_value::dim_p, need_phase,
     " - Подпись оси фазы (с -phase)"},
    {"Y_AXIS=", "10;40", no_family, 0, read_value::y_axis, need_nothing,
     " - MIN и MAX значения по оси Y через разделитель (min;max)"},
    {"P_AXIS=", "-180;0", no_family, 0, read_value::p_axis, need_phase,
     " - MIN и MAX фазы в градусах (min;max, с -phase)"},
    {"LEGEND=", "BR", no_family, 0, read_value::legend, need_names,
     " - Угол легенды: TL, TR, BL, BR или AUTO"},
    {"-strict", nullptr, no_family, 0, SWITCH(strict), need_nothing,
     " - Любое предупреждение завершает работу с кодом -1"},
    {"-diff", nullptr, no_family, 0, SWITCH(diff), need_further,
     " - Графики отклонения кривых от IN="},
    {"D_AXIS=", "-3;3", no_family, 0, read_value::d_axis, need_diff,
     " - MIN и MAX отклонения в дБ (min;max, с -diff)"},
    {"DIMD=", "Deviation, dB", no_family, 0, read_value::dim_d, need_diff,
     " - Подпись оси отклонения амплитуды (с -diff)"},
    {"DIMDP=", "Deviation, deg", no_family, 0, read_value::dim_dp, need_diff | need_phase,
     " - Подпись оси отклонения фазы (с -diff и -phase)"},
    {"TOL=", "0.5,5", no_family, 0, read_value::tolerance, need_nothing,
     " - Допуск в дБ[,градусах] и вердикт по нему (включает -diff)"},
    {"UNITS=", "VEL,ACC", no_family, 0, read_value::units, need_nothing,
     " - Перевод в единицы to или из from в to (DIS, VEL, ACC): to или from,to"},
    {"NORM=", "1", no_family, 0, read_value::norm, need_nothing,
     " - Нормировка каждой кривой на ее амплитуду на частоте f, Гц"},
    {"-dB", nullptr, no_family, 0, SWITCH(db), need_nothing, " - Амплитуда в дБ на линейной оси"},
    {"NYQUIST=", "200", no_family, 0, read_value::nyquist, need_nothing,
     " - Линия Найквиста на fs/2 (fs - частота дискретизации, Гц)"},
    {"NYQUIST_NAME=", "Nyquist", no_family, 0, read_value::nyquist_name, need_nyquist,
     " - Подпись линии Найквиста"},
    {nullptr, "XX.TITA1..HGZ", &InputKeys::channel_key, 0, read_value::channel, need_input,
     " - Канал в метаданных IN= ... IN4=: NET.STA.LOC.CHA, с * и ?"},
    {nullptr, "3,5", &InputKeys::stages_key, 0, read_value::stages, need_input,
     " - Звенья метаданных IN= ... IN4=: первое[,последнее]"},
    {"TIME=", "2010-01-01T06:54:32", no_family, 0, read_value::time, need_nothing,
     " - Время эпохи канала в метаданных"},
    {"DELAY=", "estimated", no_family, 0, read_value::delay, need_nothing,
     " - Задержка КИХ-звеньев: estimated (оценка) или correction (поправка)"},
    {"GAIN=", "stated", no_family, 0, read_value::gain, need_nothing,
     " - Усиление: stated (общая чувствительность) или stages (по звеньям)"},
    {"POINTS=", "1000", no_family, 0, read_value::points, need_nothing,
     " - Число частот вычисляемых АЧХ от MIN до MAX оси X"},
    {"FONT=", "8", no_family, 0, read_value::font, need_report,
     " - Размер текста подписей шкал в пунктах (с -report); прочий текст в той же пропорции"},
    {"LW=", "1", no_family, 0, read_value::line_width, need_report,
     " - Толщина линий кривых в пунктах (с -report)"},
    {"DPI=", "300", no_family, 0, read_value::dpi, need_report | need_page,
     " - Точек на дюйм PNG и GIF размера SIZE= в mm, cm, in или pt (с -report)"},
    // Read before the options, listed for the help text and the suggestions.
    {"--batch", nullptr, no_family, 0, nullptr, need_nothing,
     " - Файл заданий: одна командная строка на строку"},
    // After --batch FILE, never in a job's line.
    {"SUMMARY=", "summary.csv", no_family, 0, nullptr, need_nothing,
     " - Сводка пакета (--batch): строка на задание, файл .csv или .json"},
    {"JOBS=", "4", no_family, 0, nullptr, need_nothing,
     " - Сколько заданий (--batch) или рисунков (--qc) сразу; по умолчанию по числу ядер"},
    // The network check: read before the options, after --qc only.
    {"--qc", nullptr, no_family, 0, nullptr, need_nothing,
     " - Проверка сети: все эпохи каналов инвентаря, сводка и рисунки в OUTDIR="},
    {"OUTDIR=", "qc", no_family, 0, nullptr, need_nothing,
     " - Папка сводки и рисунков проверки сети (--qc, --qc-merge)"},
    {"NOMINAL=", "nominal.pz", no_family, 0, nullptr, need_nothing,
     " - Номинальная АЧХ для --qc: файл или таблица строк: шаблон_канала файл"},
    {"SHARD=", "1/4", no_family, 0, nullptr, need_nothing,
     " - Часть сети для --qc: i/n, каналы по хешу их кода"},
    {"--version", nullptr, no_family, 0, nullptr, need_nothing, " - Версия программы"},
    {"--qc-merge", nullptr, no_family, 0, nullptr, need_nothing,
     " - Слияние частей проверки сети: папки частей и OUTDIR= для общих файлов"},
};
const size_t option_key_count = std::size(option_keys);

const char* option_spelling(const OptionKey& k, int input) {
  return k.family != nullptr ? input_keys[input].*k.family : k.key;
}

bool is_switch_key(const OptionKey& k) {
  const char* key = option_spelling(k, first_input_of(k));
  return key[0] == '-';
}

int first_input_of(const OptionKey& k) {
  return k.family != nullptr ? k.first_input : 0;
}

int end_input_of(const OptionKey& k) {
  return k.family != nullptr ? max_inputs : 1;
}

std::string help_spelling(const OptionKey& k) {
  if (k.family == nullptr) return k.key;
  return std::string(input_keys[k.first_input].*k.family) + ".." +
         input_keys[max_inputs - 1].*k.family;
}

#include "ParmFile.h"

#include "ListFormat.h"

#include "common/ConfigFiles.h"
#include "common/FileError.h"
#include "common/NativePaths.h"
#include "common/TextDecoding.h"

#include <limits>
#include <optional>
#include <vector>

namespace brantview {

namespace {

constexpr int LineCount = 12;
constexpr qsizetype ProblemsShown = 10;
constexpr SettingRange<int32_t> AnyInt32{std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()};
constexpr SettingRange<int32_t> ZeroOrOne{0, 1};

// The one description of the file's lines, fields and ranges, gone through by the
// reader and by the writer alike, so that both keep the same order.
template <typename Io>
void transfer(Io &io, BrantSettings &s)
{
    namespace R = SettingRanges;
    for (ChannelValues &offsets : s.ChannelOffsets) {
        io.startLine();
        for (int32_t &offset : offsets)
            io.integer(offset, R::ChannelOffset);
    }

    io.startLine();
    for (TextFont &font : s.TextFonts) {
        io.text(font.Name);
        io.single(font.Size, R::FontSize);
        io.boolean(font.Bold);
        io.boolean(font.Italic);
    }

    io.startLine();
    io.integer(s.AScanAxisColour, R::Colour);
    io.integer(s.AScanWaveColour, R::Colour);
    io.integer(s.AScanAxisWidth, R::AScanAxisWidth);
    io.integer(s.AScanPointSize, R::PointSize);
    io.integer(s.AScanScaleValue, R::AScanScaleValue);
    io.reserved();

    io.startLine();
    io.integer(s.Reserved, AnyInt32);
    io.integer(s.Speed, R::Speed);
    io.integer(s.AutoStep, R::Step);
    io.integer(s.PointSize, R::PointSize);
    io.integer(s.ManualStep, R::Step);

    io.startLine();
    io.integer(s.MinRun70, R::MinRun70);
    io.integer(s.MinRun37, R::MinRun37);
    io.integer(s.MinRun0, R::MinRun0);
    io.boolean(s.GpsDms);
    io.boolean(s.SyncMode);

    io.startLine();
    io.boolean(s.Show70);
    io.boolean(s.Show37);
    io.boolean(s.Show0);
    io.boolean(s.SkipLateEcho);
    io.boolean(s.IgnoreZeroLoss);

    io.startLine();
    io.integer(s.TraceStepInterval, R::TraceStepInterval);
    io.single(s.GpsWindowLeft, R::GpsWindowPosition);
    io.single(s.GpsWindowTop, R::GpsWindowPosition);
    io.single(s.GpsWindowWidth, R::GpsWindowWidth);
    io.single(s.GpsWindowHeight, R::GpsWindowHeight);

    io.startLine();
    for (int32_t &colour : s.ChannelColour)
        io.integer(colour, R::Colour);

    io.startLine();
    for (auto &perSlot : s.TopMargin)
        for (int16_t &margin : perSlot)
            io.integer(margin, R::TopMargin);
    io.boolean(s.HeaderBelow);
    for (auto &bands : s.BandOffset)
        for (int32_t &offset : bands)
            io.integer(offset, R::BandOffset);
    io.integer(s.VS, R::VerticalScale);

    io.startLine();
    for (auto &perSlot : s.SecondGroupTopMargin)
        for (int16_t &margin : perSlot)
            io.integer(margin, R::TopMargin);
    for (auto &bands : s.SecondGroupBandOffset)
        for (int32_t &offset : bands)
            io.integer(offset, R::BandOffset);

    io.startLine();
    io.integer(s.FishScaleSpacing, R::FishScaleSpacing);
    io.boolean(s.FishScaleLinesOn);
    io.integer(s.BackColour, R::Colour);
    io.integer(s.ForeColour, R::Colour);
    int32_t trend = s.TrendOn ? 1 : 0;
    io.integer(trend, ZeroOrOne);
    s.TrendOn = trend != 0;
    io.finish();
}

class SettingsWriter {
public:
    void startLine()
    {
        if (m_lines++ > 0)
            m_list.endLine();
    }
    template <typename T>
    void integer(T value, SettingRange<T>)
    {
        m_list.integer(value);
    }
    void single(float value, SettingRange<float>) { m_list.single(value); }
    void boolean(bool value) { m_list.boolean(value); }
    void text(const QString &value) { m_list.string(value); }
    void reserved() { m_list.empty(); }
    void finish() { m_list.endLine(); }

    const QString &text() const { return m_list.text(); }

private:
    ListWriter m_list;
    int m_lines = 0;
};

// Reads what it can and notes every line and field that it cannot; a value not read
// keeps the default it holds.
class SettingsReader {
public:
    explicit SettingsReader(QString text) : m_list(std::move(text)) {}

    void startLine()
    {
        noteExtraFields();
        ++m_line;
        if (m_fileEnded)
            return;
        m_fileEnded = !m_list.nextLine();
        m_lineEnded = false;
        if (m_fileEnded)
            problems.push_back(QStringLiteral("文件在第 %1 行前结束，应有 %2 行").arg(m_line).arg(LineCount));
    }

    template <typename T>
    void integer(T &target, SettingRange<T> range)
    {
        const std::optional<ListField> f = field();
        if (!f)
            return;
        if (const std::optional<int64_t> value = integerValue(*f))
            target = T(std::clamp<int64_t>(*value, range.min, range.max));
        else
            noteUnreadableNumber(*f);
    }

    void single(float &target, SettingRange<float> range)
    {
        const std::optional<ListField> f = field();
        if (!f)
            return;
        if (const std::optional<float> value = singleValue(*f))
            target = range.clamp(*value);
        else
            noteUnreadableNumber(*f);
    }

    void boolean(bool &target)
    {
        const std::optional<ListField> f = field();
        if (!f)
            return;
        if (f->kind == ListField::Kind::Boolean)
            target = f->boolean;
        else
            noteWrongKind(*f, QStringLiteral(" #TRUE# 或 #FALSE#"));
    }

    // A font needs a name: a blank one keeps the default.
    void text(QString &target)
    {
        const std::optional<ListField> f = field();
        if (!f)
            return;
        if (f->kind == ListField::Kind::String && !f->text.trimmed().isEmpty())
            target = f->text;
        else
            noteWrongKind(*f, QStringLiteral("带引号的字体名"));
    }

    void reserved()
    {
        const std::optional<ListField> f = field();
        if (f && f->kind == ListField::Kind::Malformed)
            noteField(f->text);
    }

    void finish()
    {
        noteExtraFields();
        while (!m_fileEnded && m_list.nextLine())
            if (!m_list.atLineEnd()) {
                problems.push_back(QStringLiteral("第 %1 行起是多余的内容").arg(m_list.lineNumber()));
                break;
            }
    }

    std::vector<QString> problems;

private:
    // The next field of the line, or nothing when the line or the file ended before it.
    std::optional<ListField> field()
    {
        if (m_fileEnded || m_lineEnded)
            return std::nullopt;
        if (m_list.atLineEnd()) {
            m_lineEnded = true;
            problems.push_back(QStringLiteral("第 %1 行在第 %2 项前结束").arg(m_line).arg(m_list.fieldNumber() + 1));
            return std::nullopt;
        }
        return m_list.nextField();
    }

    void noteField(const QString &what)
    {
        problems.push_back(QStringLiteral("第 %1 行第 %2 项：%3").arg(m_line).arg(m_list.fieldNumber()).arg(what));
    }

    void noteWrongKind(const ListField &f, const QString &expected)
    {
        if (f.kind == ListField::Kind::Malformed)
            noteField(f.text);
        else
            noteField(QStringLiteral("应为%1，却是%2").arg(expected, describeField(f)));
    }

    void noteUnreadableNumber(const ListField &f)
    {
        if (f.kind == ListField::Kind::Number)
            noteField(describeField(f) + QStringLiteral("超出范围"));
        else
            noteWrongKind(f, QStringLiteral("数字"));
    }

    void noteExtraFields()
    {
        if (m_line == 0 || m_fileEnded || m_lineEnded || m_list.atLineEnd())
            return;
        int extra = 0;
        while (!m_list.atLineEnd()) {
            m_list.nextField();
            ++extra;
        }
        problems.push_back(QStringLiteral("第 %1 行多出 %2 项").arg(m_line).arg(extra));
    }

    ListReader m_list;
    int m_line = 0;
    bool m_fileEnded = false;
    bool m_lineEnded = false;
};

QString damageMessage(const QString &path, const std::vector<QString> &problems)
{
    QString message = QStringLiteral("设置文件 %1 有误，读不出的设置改用默认值：").arg(common::displayName(path));
    for (qsizetype i = 0; i < qsizetype(problems.size()) && i < ProblemsShown; ++i)
        message += QLatin1Char('\n') + problems[size_t(i)];
    if (qsizetype(problems.size()) > ProblemsShown)
        message += QStringLiteral("\n……另有 %1 处").arg(qsizetype(problems.size()) - ProblemsShown);
    return message;
}

} // namespace

QString parmFilePath()
{
    return common::configFilePath(QStringLiteral("parm.dat"));
}

LoadedSettings LoadSettings(const QString &path)
{
    LoadedSettings loaded;
    if (!common::fileExists(path))
        return loaded;
    QString text;
    try {
        text = common::readTextFile(path, QStringLiteral("设置文件"));
    } catch (const common::FileError &e) {
        loaded.state = ListFileState::Damaged;
        loaded.message = e.text() + QStringLiteral("\n使用默认设置。");
        return loaded;
    }
    SettingsReader reader(std::move(text));
    transfer(reader, loaded.settings);
    loaded.state = reader.problems.empty() ? ListFileState::Loaded : ListFileState::Damaged;
    if (!reader.problems.empty())
        loaded.message = damageMessage(path, reader.problems);
    return loaded;
}

void SaveSettings(const QString &path, const BrantSettings &settings)
{
    SettingsWriter writer;
    BrantSettings copy = settings;
    transfer(writer, copy);
    writeListFile(path, writer.text());
}

} // namespace brantview

#include "CliArgs.h"

#include <algorithm>
#include <cmath>

namespace common::cli {

namespace {

const CliOption *findOption(const std::vector<CliOption> &options, const QString &name)
{
    const auto it = std::find_if(options.begin(), options.end(), [&](const CliOption &o) { return o.name == name; });
    return it == options.end() ? nullptr : &*it;
}

} // namespace

CliArgs::CliArgs(const QStringList &args, const std::vector<CliOption> &options)
{
    bool onlyFiles = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (onlyFiles || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            m_files.append(arg);
            continue;
        }
        if (!arg.startsWith(QLatin1String("--")))
            throw UsageError(QStringLiteral("unknown option %1 (options are written --name)").arg(arg));
        if (arg == QLatin1String("--")) {
            onlyFiles = true;
            continue;
        }
        const qsizetype eq = arg.indexOf(QLatin1Char('='));
        const QString name = arg.mid(2, eq < 0 ? -1 : eq - 2);
        const CliOption *option = findOption(options, name);
        if (!option)
            throw UsageError(QStringLiteral("unknown option --%1").arg(name));
        if (!option->repeatable && has(name))
            throw UsageError(QStringLiteral("option --%1 given twice").arg(name));
        QString value;
        if (option->takesValue) {
            if (eq >= 0)
                value = arg.mid(eq + 1);
            else if (i + 1 < args.size())
                value = args.at(++i);
            else
                throw UsageError(QStringLiteral("option --%1 needs a value").arg(name));
        } else if (eq >= 0) {
            throw UsageError(QStringLiteral("option --%1 takes no value").arg(name));
        }
        m_given.append({name, value});
    }
}

bool CliArgs::has(const QString &name) const
{
    return std::any_of(m_given.begin(), m_given.end(), [&](const auto &g) { return g.first == name; });
}

std::optional<QString> CliArgs::value(const QString &name) const
{
    for (const auto &g : m_given)
        if (g.first == name)
            return g.second;
    return std::nullopt;
}

QString CliArgs::required(const QString &name) const
{
    const auto v = value(name);
    if (!v)
        throw UsageError(QStringLiteral("missing option --%1").arg(name));
    return *v;
}

QStringList CliArgs::values(const QString &name) const
{
    QStringList result;
    for (const auto &g : m_given)
        if (g.first == name)
            result.append(g.second);
    return result;
}

int CliArgs::requiredInt(const QString &name) const
{
    return parseInt(QStringLiteral("--") + name, required(name));
}

std::optional<int> CliArgs::optionalInt(const QString &name) const
{
    const auto v = value(name);
    if (!v)
        return std::nullopt;
    return parseInt(QStringLiteral("--") + name, *v);
}

int CliArgs::intInRange(const QString &name, int fallback, int low, int high) const
{
    const int v = optionalInt(name).value_or(fallback);
    if (v < low || v > high)
        throw UsageError(QStringLiteral("--%1: %2 is outside %3 to %4").arg(name).arg(v).arg(low).arg(high));
    return v;
}

QSize CliArgs::size(const QString &name, QSize fallback, int maxSide) const
{
    const auto v = value(name);
    return v ? parseSize(QStringLiteral("--") + name, *v, maxSide) : fallback;
}

QString CliArgs::file() const
{
    if (m_files.isEmpty())
        throw UsageError(QStringLiteral("missing FILE"));
    if (m_files.size() > 1)
        throw UsageError(QStringLiteral("expected one FILE, got %1: %2").arg(m_files.size()).arg(m_files.join(QLatin1Char(' '))));
    return m_files.first();
}

void CliArgs::noFiles() const
{
    if (!m_files.isEmpty())
        throw UsageError(QStringLiteral("unexpected argument '%1'").arg(m_files.first()));
}

int parseInt(const QString &option, const QString &text)
{
    bool ok = false;
    const int n = text.toInt(&ok, 10);
    if (!ok)
        throw UsageError(QStringLiteral("%1: '%2' is not a whole number").arg(option, text));
    return n;
}

uint32_t parseUInt32(const QString &option, const QString &text)
{
    bool ok = false;
    const uint n = text.toUInt(&ok, 10);
    if (!ok)
        throw UsageError(QStringLiteral("%1: '%2' is not a whole number from 0 to 4294967295").arg(option, text));
    return n;
}

double parseDouble(const QString &option, const QString &text)
{
    bool ok = false;
    const double d = text.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        throw UsageError(QStringLiteral("%1: '%2' is not a number").arg(option, text));
    return d;
}

QSize parseSize(const QString &option, const QString &text, int maxSide)
{
    const QStringList parts = text.split(QLatin1Char('x'));
    if (parts.size() != 2)
        throw UsageError(QStringLiteral("%1: '%2' is not WIDTHxHEIGHT").arg(option, text));
    const int w = parseInt(option, parts[0]);
    const int h = parseInt(option, parts[1]);
    if (w < 1 || h < 1 || w > maxSide || h > maxSide)
        throw UsageError(QStringLiteral("%1: %2 is outside 1x1 to %3x%3").arg(option, text).arg(maxSide));
    return {w, h};
}

} // namespace common::cli

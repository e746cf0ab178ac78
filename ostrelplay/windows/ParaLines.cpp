#include "ParaLines.h"

#include "recording/StdText.h"

#include <array>

QString paraWindowTitle(int slot)
{
    return QStringLiteral("文件") + QString::number(slot + 1) + QStringLiteral("参数与曲线");
}

QStringList paraLines(const mystdfile &file)
{
    const TSYSTEMPARA &p = file.std_systempara;
    QStringList lines;
    lines << QStringLiteral("数据版本： ") + stdText(p.m_Version, 20)
          << QStringLiteral("--------------------用户信息--------------------")
          << QStringLiteral("单位名称： ") + stdText(p.m_CompanyChar, 10)
          << QStringLiteral("操作人员： ") + stdText(p.m_OperatorName, 10)
          << QStringLiteral("------------------检测记录表-------------------");

    struct LabelledPara {
        const char16_t *label;
        int paraName;
    };
    static constexpr std::array<LabelledPara, 13> record{{
        {u"日期： ", 0},   {u"线名： ", 1},     {u"站名： ", 30},    {u"线别： ", 2},  {u"里程加减： ", 3},
        {u"轮沿方向： ", 4}, {u"起始点： ", 5}, {u"终点： ", 6},     {u"地段： ", 7},  {u"轨型： ", 8},
        {u"左右股： ", 9},   {u"直曲线： ", 10}, {u"限速： ", 11},
    }};
    for (const LabelledPara &item : record)
        lines << QString::fromUtf16(item.label) + file.GetPara(item.paraName);

    lines << QStringLiteral("----------------增益、补偿曲线-----------------");
    for (int paraName = 12; paraName <= 20; ++paraName)
        lines << file.GetPara(paraName);

    // The gate texts come in the order 1, 1A, 2, 2A, 3, 3A, 4, 5, 6.
    lines << QStringLiteral("--------------------闸门信息--------------------");
    static constexpr std::array<const char16_t *, 9> gateLabels{
        u"1  ： ", u"1A： ", u"2  ： ", u"2A： ", u"3  ： ", u"3A： ", u"4  ： ", u"5  ： ", u"6  ： "};
    for (int k = 0; k < int(gateLabels.size()); ++k)
        lines << QString::fromUtf16(gateLabels[size_t(k)]) + file.GetPara(21 + k);
    return lines;
}

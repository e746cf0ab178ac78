// The gain curve window's own behaviour: it opens only for an open slot, draws
// the slot's current sub-file, and a click on a legend marker or a line shows
// that line alone, the next click all nine.

#include "TestStdFixtures.h"

#include "gui/dbparaform.h"
#include "workspace/Workspace.h"

#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>

#include <gtest/gtest.h>

#include <functional>

namespace {

SubFileImage rows(int count, int gainRow = -1)
{
    SubFileImage sub = StdTest::minimalSubFile();
    for (int k = 0; k < count; ++k) {
        std::vector<TPACKET> records;
        if (k == gainRow)
            records.push_back(makePacket(u'b', 450));
        sub.addRow({makePacket(u'1', 30, 40)}, records);
    }
    return sub;
}

class DbParaFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ws = std::make_unique<Workspace>(settings, log, [](std::function<void()>) {});
        const QString path = dir.write("gains.std", StdFileImage{{rows(20), rows(40, 25)}, std::nullopt, false});
        if (ws->OpenFile(1, path) || !ws->slot(1).Opened)
            throw std::runtime_error("cannot open " + path.toStdString());
        form = std::make_unique<Tfrm_dbpara>(*ws);
    }

    QList<QLineSeries *> lines() const
    {
        QList<QLineSeries *> result;
        for (QAbstractSeries *series : form->cht_main->chart()->series())
            result.append(qobject_cast<QLineSeries *>(series));
        return result;
    }

    std::vector<bool> shown() const
    {
        std::vector<bool> result;
        for (const QLineSeries *series : lines())
            result.push_back(series->isVisible());
        return result;
    }

    StdTest::StdFileDir dir;
    PlayerSettings settings;
    ReplayLog log;
    std::unique_ptr<Workspace> ws;
    std::unique_ptr<Tfrm_dbpara> form;
};

TEST_F(DbParaFormTest, ClosedSlotOpensNothing)
{
    form->lbldbparaClick(0);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(form->cht_main->chart()->series().isEmpty());
}

TEST_F(DbParaFormTest, ShowsTheSlotsCurrentSubFile)
{
    form->lbldbparaClick(1);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("文件2 dB+ΔdB"));
    ASSERT_EQ(lines().size(), 9);
    EXPECT_EQ(lines()[2]->name(), QStringLiteral("通道3"));
    EXPECT_EQ(lines()[1]->points().size(), 2);

    ws->cbbChange(1, 1);
    form->lbldbparaClick(1);
    ASSERT_EQ(lines().size(), 9);
    const QList<QPointF> channel2 = lines()[1]->points();
    ASSERT_EQ(channel2.size(), 4);
    EXPECT_EQ(channel2[2], QPointF(25, 45));
    EXPECT_EQ(channel2[3], QPointF(39, 45));
}

TEST_F(DbParaFormTest, MarkerClickShowsOneLineAloneAndLineClickShowsAll)
{
    form->lbldbparaClick(1);
    const QList<QLegendMarker *> markers = form->cht_main->chart()->legend()->markers();
    ASSERT_EQ(markers.size(), 9);
    emit markers[2]->clicked();
    std::vector<bool> onlyThird(9, false);
    onlyThird[2] = true;
    EXPECT_EQ(shown(), onlyThird);

    emit lines()[2]->clicked(QPointF(5, 0));
    EXPECT_EQ(shown(), std::vector<bool>(9, true));
}

} // namespace

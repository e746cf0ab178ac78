// The recording-video player's own behaviour: playing runs through the frames of
// a record and on into the next, stops at the end of the last, and dragging on the
// progress bar shows the frame under the mouse without advancing.

#include "TestStdFixtures.h"

#include "common/gui/ListTable.h"
#include "recording/StdmFile.h"
#include "gui/stdmform.h"
#include "workspace/PlayerSettings.h"

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

QByteArray records(int count)
{
    QByteArray bytes;
    auto movie = std::make_unique<TMOVIEDATA>();
    for (int i = 0; i < count; ++i) {
        TSYSTEMPARA para = StdTest::minimalPara();
        para.m_AutoAmpl = int8_t(i);
        bytes += stdmRecordImage(TRECORDDATAINDEX{}, para, *movie);
    }
    return bytes;
}

void mouse(QWidget *widget, QEvent::Type type, int x)
{
    const QPointF pos(x, widget->height() / 2);
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

class StdmFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.OpenStdmFile(dir.write(QStringLiteral("two.stdm"), records(2)));
    }

    PlayerSettings settings;
    StdTest::StdFileDir dir;
    Tfrm_stdm form{settings};
};

TEST_F(StdmFormTest, OpeningListsTheRecordsAndOffersOneEntryEach)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("录像播放"));
    ASSERT_EQ(form.lv_list->rowCount(), 2);
    EXPECT_EQ(form.lv_list->item(1, 1)->text(), QStringLiteral("2"));
    ASSERT_EQ(form.cbb_stdm->count(), 2);
    EXPECT_EQ(form.cbb_stdm->itemText(1), QStringLiteral("文件2"));
    EXPECT_EQ(form.cbb_stdm->currentIndex(), 0);
    EXPECT_EQ(form.pgb_stdm->maximum(), 49);
}

TEST_F(StdmFormTest, PlayingMovesOnToTheNextRecordAndStopsAtTheEndOfTheLast)
{
    form.btn_stdm->click();
    EXPECT_EQ(form.btn_stdm->text(), QStringLiteral("暂停"));
    for (int tick = 1; tick <= 48; ++tick)
        form.tmr_stdmTimer();
    EXPECT_EQ(form.pgb_stdm->value(), 48);
    form.tmr_stdmTimer();  // frame 49, then on to the next record
    EXPECT_EQ(form.cbb_stdm->currentIndex(), 1);
    EXPECT_EQ(form.pgb_stdm->value(), 0);

    for (int tick = 1; tick <= 49; ++tick)
        form.tmr_stdmTimer();
    EXPECT_EQ(form.pgb_stdm->value(), 49);
    EXPECT_EQ(form.cbb_stdm->currentIndex(), 1);
    EXPECT_EQ(form.btn_stdm->text(), QStringLiteral("播放"));
    form.tmr_stdmTimer();
    EXPECT_EQ(form.pgb_stdm->value(), 49);
}

TEST_F(StdmFormTest, DraggingShowsTheFrameUnderTheMouseWithoutAdvancing)
{
    form.pgb_stdm->resize(490, 20);
    form.btn_stdm->click();
    mouse(form.pgb_stdm, QEvent::MouseButtonPress, 100);
    EXPECT_EQ(form.pgb_stdm->value(), 10);  // Trunc(100 x 49 / 490)
    form.tmr_stdmTimer();
    EXPECT_EQ(form.pgb_stdm->value(), 10);
    mouse(form.pgb_stdm, QEvent::MouseMove, 250);
    EXPECT_EQ(form.pgb_stdm->value(), 25);
    mouse(form.pgb_stdm, QEvent::MouseButtonRelease, 250);
    form.tmr_stdmTimer();
    EXPECT_EQ(form.pgb_stdm->value(), 26);
}

} // namespace

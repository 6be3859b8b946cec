#include "support/CeguiFixture.h"
#include "support/QuadGeometry.h"

#include "ZuGUIElements/textwidgets/GameMultiColumnList.h"
#include "ZuGUIElements/textwidgets/ListboxImageItem.h"

#include <CEGUI/CEGUI.h>

#include <gmock/gmock.h>

#include <cmath>

namespace
{
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr CEGUI::argb_t kStripe = 0x80FF0000;

class ListTest : public ZuTest::CeguiTest
{
protected:
    void SetUp() override
    {
        CeguiTest::SetUp();
        ZuGUI::RegisterItemEntryRendererFactory();
        ZuTest::LoadTestScheme("ListTest");
    }

    // A two-column list with `rows` rows; rows listed in `empty` have no items.
    CEGUI::MultiColumnList& CreateList(const char* type, unsigned rows,
                                       std::vector<unsigned> empty = {})
    {
        auto& list =
            static_cast<CEGUI::MultiColumnList&>(CreateChild(type, "List", 10, 10, 300, 300));
        list.addColumn("Name", 0, CEGUI::UDim(0.5f, 0));
        list.addColumn("Size", 1, CEGUI::UDim(0.5f, 0));
        for (unsigned row = 0; row < rows; ++row)
        {
            list.addRow();
            if (std::find(empty.begin(), empty.end(), row) != empty.end())
                continue;
            auto* item = new CEGUI::ListboxImageItem("TaharezLook/GenericBrush");
            item->setSelectionBrushImage("TaharezLook/GenericBrush");
            list.setItem(item, 0, row);
        }
        return list;
    }

    // The rows that a stripe covers, found by their top edges.
    static std::vector<int> StripedRows(CEGUI::MultiColumnList& list)
    {
        std::vector<float> tops;
        float top = static_cast<CEGUI::FalagardMultiColumnList*>(list.getWindowRenderer())
                        ->getListRenderArea()
                        .top();
        for (unsigned row = 0; row < list.getRowCount(); ++row)
        {
            tops.push_back(top);
            top += list.getHighestRowItemHeight(row);
        }
        std::vector<int> rows;
        for (const ZuTest::Quad& quad : ZuTest::WindowQuads(list))
        {
            if (quad.colour.getARGB() != kStripe)
                continue;
            // Rows without items are 0 high: the last row starting there is the striped one.
            int row = -1;
            for (std::size_t i = 0; i < tops.size(); ++i)
            {
                if (std::abs(tops[i] - quad.rect.top()) < 0.5f)
                    row = static_cast<int>(i);
            }
            rows.push_back(row);
        }
        return rows;
    }
};

TEST_F(ListTest, EverySecondRowIsTintedOnceAnItemGaveTheStripe)
{
    CEGUI::MultiColumnList& striped = CreateList("ZuTest/StripedList", 7);
    RenderFrame();
    EXPECT_THAT(StripedRows(striped), ElementsAre(1, 3, 5));

    CEGUI::WindowManager::getSingleton().destroyWindow(&striped);
    CEGUI::MultiColumnList& late = CreateList("ZuTest/StripedList", 6, {0, 1, 2});
    RenderFrame();
    EXPECT_THAT(StripedRows(late), ElementsAre(5)) << "no stripe before the first item";

    CEGUI::WindowManager::getSingleton().destroyWindow(&late);
    CEGUI::MultiColumnList& plain = CreateList("ZuTest/PlainList", 4);
    RenderFrame();
    EXPECT_THAT(StripedRows(plain), IsEmpty());
}

TEST_F(ListTest, ImageItemsShowTheirImageCentredAndClippedInTheCell)
{
    CEGUI::ListboxImageItem missing("NoSuchImageset/NoImage");
    EXPECT_EQ(CEGUI::Sizef(0, 0), missing.getPixelSize());
    EXPECT_EQ(nullptr, missing.getMyImage());

    CEGUI::ListboxImageItem image("TaharezLook/ClientBrush");
    const CEGUI::Sizef size = image.getPixelSize();
    ASSERT_GT(size.d_width, 0.0f);
    CEGUI::Window& canvas = CreateChild("DefaultWindow", "Canvas");
    CEGUI::GeometryBuffer& buffer = canvas.getGeometryBuffer();
    buffer.reset();
    // A cell smaller than the image: centred, and cut to the clipper.
    const CEGUI::Rectf cell(100, 100, 100 + size.d_width / 2, 100 + size.d_height / 2);
    image.draw(buffer, cell, 1.0f, &cell);
    const std::vector<ZuTest::Quad> quads = ZuTest::WindowQuads(canvas);
    ASSERT_EQ(1u, quads.size());
    EXPECT_GE(quads[0].rect.left(), cell.left());
    EXPECT_LE(quads[0].rect.right(), cell.right());
    EXPECT_EQ(0xFFFFFFFFu, quads[0].colour.getARGB());

    // A selected item draws its selection brush first; a nameless one draws only that.
    missing.setSelectionBrushImage("TaharezLook/GenericBrush");
    missing.setSelected(true);
    buffer.reset();
    missing.draw(buffer, CEGUI::Rectf(0, 0, 40, 20), 1.0f, nullptr);
    EXPECT_EQ(1u, ZuTest::WindowQuads(canvas).size());
}

TEST_F(ListTest, EntriesOfAnItemListAlternateWithTheOddImagery)
{
    CEGUI::Window& box = CreateChild("TaharezLook/ItemListbox", "Items", 10, 10, 200, 200);
    std::vector<CEGUI::Window*> entries;
    for (int i = 0; i < 4; ++i)
    {
        entries.push_back(CEGUI::WindowManager::getSingleton().createWindow(
            "ZuTest/StripedEntry", "Entry" + CEGUI::PropertyHelper<int>::toString(i)));
        entries.back()->setText("entry");
        box.addChild(entries.back());
    }
    CEGUI::Window& alone = CreateChild("ZuTest/StripedEntry", "Alone");
    RenderFrame();
    auto hasOdd = [](CEGUI::Window& entry)
    {
        for (const ZuTest::Quad& quad : ZuTest::WindowQuads(entry))
        {
            if (quad.colour.getARGB() == 0xFF00FF00)
                return true;
        }
        return false;
    };
    std::vector<bool> odd;
    for (CEGUI::Window* entry : entries)
        odd.push_back(hasOdd(*entry));
    EXPECT_THAT(odd, ElementsAre(true, false, true, false));
    EXPECT_FALSE(hasOdd(alone)) << "an entry in no list has no stripe";
}
} // namespace

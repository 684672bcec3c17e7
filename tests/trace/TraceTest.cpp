// Tracing drawn photos and the demo catalogue's pictures: buttons found, few strays, labels
// matched to keys.
#include "TracePictures.h"
#include "platform/Gbk.h"
#include "platform/ui/Jpeg.h"
#include "tools/DemoCatalogue.h"
#include "trace/KeyMatch.h"

#include <QPainter>
#include <QString>
#include <gtest/gtest.h>

namespace mm::test {
namespace {

const QColor kWhite(235, 235, 232), kGrey(150, 152, 155), kBlack(35, 35, 38), kRed(200, 40, 35),
    kGreen(40, 150, 60), kBlue(40, 70, 190), kYellow(225, 200, 40);

// One table of pictures: shapes of every kind on each, colours, bodies and the photo's faults.
// clang-format off
const TPictureStyle kPictures[] = {
    // name, size, columns, rows, background, body, faces, angle, gradient, noise, blur, relief
    {"light body, grey buttons", {400, 640}, 4, 6, QColor(250, 250, 250), kWhite, {kGrey, kBlack}},
    {"dark body, coloured buttons", {400, 640}, 4, 6, QColor(245, 245, 245), kBlack,
     {kRed, kGreen, kBlue, kYellow, kWhite}},
    {"grey body, light from the left", {400, 640}, 4, 6, QColor(240, 240, 240), kGrey,
     {kWhite, kBlack, kBlue}, 0, true},
    {"dark body, noise and blur", {560, 900}, 4, 6, QColor(220, 220, 225), kBlack,
     {kGrey, kWhite, kRed}, 0, false, true, true},
    {"light body turned 3 degrees", {400, 640}, 4, 6, QColor(60, 60, 60), kWhite,
     {kBlack, kBlue, kGrey}, 3},
    {"light body, shadows, highlights, printed words", {400, 640}, 4, 6, QColor(250, 250, 250),
     QColor(225, 228, 230), {kGrey, kBlack, kBlue}, 0, false, false, false, true},
    {"800x1200, 40 buttons, everything", {800, 1200}, 4, 10, QColor(235, 235, 235), kBlack,
     {kGrey, kWhite, kRed, kGreen, kBlue, kYellow}, -2, true, true, true},
};
// clang-format on

void ExpectGoodTrace(const std::string& name, const TTraceScore& s) {
    SCOPED_TRACE(name + ": " + ScoreText(s));
    std::cout << "[ score    ] " << name << ": " << ScoreText(s) << std::endl;
    EXPECT_GE(s.Found * 10, s.Buttons * 9);
    EXPECT_LE(s.Stray * 10, s.Proposals);
    EXPECT_EQ(s.Covering, 0);
    EXPECT_GE(s.Matched * 10, s.Labelled * 8);
}

TEST(Trace, FindsAndReadsTheButtonsOfDrawnPhotos) {
    for (const TPictureStyle& style : kPictures) {
        const TDrawnPicture picture = DrawPicture(style);
        const TTraceResult result = TracePicture(picture.Image, picture.Keys);
        ExpectGoodTrace(style.Name, Score(picture.Buttons, result));
        for (const TSpotData& spot : result.Spots) {
            EXPECT_EQ(spot.Enabled, 1);
            EXPECT_EQ(spot.KeyKind, kKeyKindNormal);
            EXPECT_EQ(spot.NormalColor, kDefaultNormalColor);
            EXPECT_EQ(spot.ToggleColor, kDefaultToggleColor);
            EXPECT_LE(spot.Points.size(), 12u);
        }
    }
}

TEST(Trace, FindsTheDemoCataloguesHandMadeOutlines) {
    const TDemoCatalogue catalogue = BuildDemoCatalogue();
    TTraceScore all;
    for (const TDemoModel& model : catalogue.Models) {
        const std::vector<TTraceKey> keys = TraceKeysOf(model.Record);
        std::vector<TExpectedButton> buttons;
        for (const TDemoButton& button : model.Buttons) {
            TSpotData data;
            data.Shape = button.Shape;
            data.Points = button.Points;
            const TSpot outline(data);
            const TRect box = outline.GetBounds();
            const std::string name =
                GbkFromUtf16(QString::fromStdString(button.Label).toStdU16String());
            int32_t id = 0;
            for (const TTraceKey& key : keys)
                if (key.Name == name)
                    id = key.KeyIdx;
            buttons.push_back({QPointF((box.Left + box.Right) / 2.0, (box.Top + box.Bottom) / 2.0),
                               QSizeF(box.Right - box.Left, box.Bottom - box.Top), id});
        }
        const TTraceResult result = TracePicture(DecodeJpeg(PictureBytes(model.Record)), keys);
        const TTraceScore s = Score(buttons, result);
        const std::string name = Utf8FromGbk(model.Record.ModelType.Str());
        std::cout << "[ score    ] " << name << ": " << ScoreText(s) << std::endl;
        // Each picture: its buttons found, none covered twice. The remote's infrared window
        // is taken for a button on each, and its small labels are read less well than a
        // photo's, so the strays and matches are counted over the catalogue.
        EXPECT_GE(s.Found * 10, s.Buttons * 9) << name;
        EXPECT_EQ(s.Covering, 0) << name;
        all.Buttons += s.Buttons;
        all.Found += s.Found;
        all.Proposals += s.Proposals;
        all.Stray += s.Stray;
        all.Labelled += s.Labelled;
        all.Matched += s.Matched;
    }
    std::cout << "[ score    ] the demo catalogue: " << ScoreText(all) << std::endl;
    EXPECT_LE(all.Stray * 10, all.Proposals);
    EXPECT_GE(all.Matched * 10, all.Labelled * 8);
}

TEST(Trace, PicturesWithoutButtonsGiveNoOutlines) {
    const auto plain = [](QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor(120, 130, 140));
        return image;
    };
    QImage body = plain({300, 400});
    {
        QPainter painter(&body);
        painter.setBrush(QColor(30, 30, 30));
        painter.drawRoundedRect(QRect(20, 20, 260, 360), 30, 30); // a remote without buttons
    }
    const QImage pictures[] = {QImage(),         plain({1, 1}),     plain({3, 3}), plain({1, 2000}),
                               plain({2000, 6}), plain({300, 400}), body};
    for (const QImage& picture : pictures)
        EXPECT_TRUE(TracePicture(picture, {{"Power", 1}}).Spots.empty())
            << picture.width() << "x" << picture.height();
}

TEST(Trace, MatchesTextsToKeyNamesOnceEach) {
    const std::vector<TTraceKey> keys = {{"Vol+", 7}, {"Power", 1}, {"OK", 5},
                                         {"10", 30},  {"Zero", 0},  {"\xB5\xE7\xD4\xB4", 9}};
    struct {
        std::vector<std::string> texts;
        std::vector<int32_t> ids;
    } const cases[] = {
        {{"VOL+", "power", "Ok"}, {7, 1, 5}},
        {{"V ol +", ""}, {7, 0}},
        {{"OK", "OK"}, {5, 0}},           // no key given twice
        {{"IO", "0K", "10"}, {0, 5, 30}}, // exact first, then the confusable letters
        {{"Zero", "POWERS"}, {0, 0}},     // a key of index 0 is never given
        {{"\xB5\xE7\xD4\xB4"}, {9}},      // GBK text compared byte for byte
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchKeys(c.texts, keys), c.ids) << c.texts.front();
}

} // namespace
} // namespace mm::test

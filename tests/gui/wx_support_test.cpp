// The window host's rules that need no display: text encodings, image
// headers, file chooser wildcards and checks, label wrapping, dialog units.
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/message_box.h"
#include "platform/wx/dialog_units.h"
#include "platform/wx/file_choice.h"
#include "platform/wx/image_size.h"
#include "platform/wx/label_wrap.h"
#include "platform/wx/text_codec.h"
#include "platform/wx/wx_bitmap.h"
#include "tests/support/scratch_dir.h"

namespace {

TEST(TextCodec, ValidUtf8IsShownAsItIsAndAnythingElseAsWindows1252)
{
    struct Case {
        std::string in;
        bool bValid;
        std::string shown;
    };
    const Case cases[] = {
        {"plain", true, "plain"},
        {"M\xC3\xBCller", true, "M\xC3\xBCller"},              // UTF-8 u-umlaut
        {"M\xFCller", false, "M\xC3\xBCller"},                 // the same in Windows-1252
        {"\x80 \x9F", false, "\xE2\x82\xAC \xC5\xB8"},         // euro sign, Y diaeresis
        {"\x81", false, "\xC2\x81"},                           // undefined byte: control of the same value
        {"\xC0\xAF", false, "\xC3\x80\xC2\xAF"},               // overlong slash
        {"\xED\xA0\x80", false, "\xC3\xAD\xC2\xA0\xE2\x82\xAC"}, // surrogate
        {"\xF4\x90\x80\x80", false, "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"}, // above U+10FFFF
        {"\xE2\x82", false, "\xC3\xA2\xE2\x80\x9A"},           // cut short
        {"\xF0\x9F\x9B\xA9", true, "\xF0\x9F\x9B\xA9"},        // four bytes
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsValidUtf8(c.in), c.bValid) << c.in;
        EXPECT_EQ(ToDisplayUtf8(c.in), c.shown) << c.in;
        EXPECT_TRUE(IsValidUtf8(ToDisplayUtf8(c.in))) << c.in;
    }
}

TEST(TextCodec, LineBreaksRoundTripBetweenCrLfAndLf)
{
    EXPECT_EQ(CrLfToLf("a\r\nb\r\n"), "a\nb\n");
    EXPECT_EQ(CrLfToLf("lone\rcr"), "lone\rcr");
    EXPECT_EQ(LfToCrLf("a\nb\n"), "a\r\nb\r\n");
    EXPECT_EQ(LfToCrLf("a\r\nb"), "a\r\nb"); // not doubled
    EXPECT_EQ(LfToCrLf(CrLfToLf("x\r\ny\r\n\r\n")), "x\r\ny\r\n\r\n");
}

class TempDir : public testing::Test {
protected:
    std::string Write(const std::string& strName, const std::string& strBytes)
    {
        std::ofstream(m_dir / strName, std::ios::binary) << strBytes;
        return (m_dir / strName).string();
    }
    std::string Path(const std::string& strName) const { return (m_dir / strName).string(); }

    CScratchDir m_scratch;
    const std::filesystem::path m_dir = m_scratch.Path();
};

std::string Le32(std::int32_t n)
{
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[static_cast<std::size_t>(i)] = static_cast<char>((static_cast<std::uint32_t>(n) >> (8 * i)) & 0xFF);
    return s;
}

std::string Bmp(std::int32_t cx, std::int32_t cy)
{
    return "BM" + std::string(12, '\0') + Le32(40) + Le32(cx) + Le32(cy) + std::string(28, '\0');
}

using ImageSize = TempDir;

TEST_F(ImageSize, HeadersGiveTheSizeAndHostileOnesAreRefused)
{
    const std::string png = std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\x01\0\0\0\0\x80", 24) + std::string(8, '\0');
    EXPECT_EQ(ReadImageFileSize(Write("a.png", png)), (CSize{256, 128}));
    EXPECT_EQ(ReadImageFileSize(Write("a.bmp", Bmp(80, 60))), (CSize{80, 60}));
    EXPECT_EQ(ReadImageFileSize(Write("top-down.bmp", Bmp(80, -60))), (CSize{80, 60}));
    EXPECT_EQ(ReadImageFileSize(Write("zero.bmp", Bmp(0, 60))), std::nullopt);
    EXPECT_EQ(ReadImageFileSize(Write("short.bmp", "BM12")), std::nullopt);
    EXPECT_EQ(ReadImageFileSize(Write("text.bmp", "just some text, not a picture")), std::nullopt);
    EXPECT_EQ(ReadImageFileSize(Path("missing.bmp")), std::nullopt);
    EXPECT_EQ(ReadImageFileSize(Write("min.bmp", Bmp(1, INT32_MIN))), std::nullopt);
    // A JPEG's size is in its first frame header, after segments of any length.
    const std::string jpeg = std::string("\xFF\xD8\xFF\xE0\x00\x10", 6) + std::string(14, 'J');
    const std::string frame = std::string("\xFF\xFF\xC2\x00\x11\x08\x00\x78\x00\xA0", 10) + std::string(12, '\0');
    EXPECT_EQ(ReadImageFileSize(Write("a.jpg", jpeg + frame)), (CSize{160, 120}));
    EXPECT_EQ(ReadImageFileSize(Write("scan.jpg", jpeg + std::string("\xFF\xDA\x00\x08", 4) + frame)), std::nullopt);
    EXPECT_EQ(ReadImageFileSize(Write("cut.jpg", jpeg + std::string("\xFF\xC0\x00\x11\x08", 5))), std::nullopt);
    EXPECT_EQ(ReadImageFileSize(Write("loop.jpg", std::string("\xFF\xD8\xFF\xE0\x00\x01", 6) + std::string(30, 'x'))),
              std::nullopt);

    EXPECT_TRUE(IsAcceptableImageSize({1024, 768}));
    EXPECT_FALSE(IsAcceptableImageSize({100000, 1}));
    EXPECT_FALSE(IsAcceptableImageSize({8192, 8192})); // more pixels than allowed
    EXPECT_FALSE(IsAcceptableImageSize({0, 10}));
}

// A photograph that names a device, a pipe or a file of 1 GiB is refused
// before anything of it is read (a pipe would block the open).
TEST_F(ImageSize, DevicesPipesAndHugeFilesAreRefusedAtOnce)
{
    ASSERT_EQ(mkfifo(Path("pipe.bmp").c_str(), 0600), 0);
    EXPECT_EQ(ReadImageFileSize(Path("pipe.bmp")), std::nullopt);
    EXPECT_EQ(ReadImageFileSize("/dev/zero"), std::nullopt);
    const std::string strHuge = Write("huge.bmp", Bmp(800, 600));
    std::filesystem::resize_file(strHuge, 1ull << 30);
    EXPECT_EQ(LoadWxBitmap(strHuge, {96, 96}), nullptr);
}

TEST(FileChoice, FiltersBecomeToolkitWildcards)
{
    EXPECT_EQ(MakeWildcard(CFileDialog::ParseFilter("Windows Bitmaps|*.bmp|All Files|*.*||")),
              "Windows Bitmaps|*.bmp|All Files|*");
    EXPECT_EQ(MakeWildcard(CFileDialog::ParseFilter("Logs|*.log;*.*||")), "Logs|*.log;*");
    EXPECT_EQ(MakeWildcard({}), "*");
}

TEST(FileChoice, InitialNamesSplitIntoFolderAndName)
{
    EXPECT_EQ(SplitInitialName("debrf.tmp").m_strFolder, "");
    EXPECT_EQ(SplitInitialName("debrf.tmp").m_strName, "debrf.tmp");
    EXPECT_EQ(SplitInitialName("/games/sim/debrf.tmp").m_strFolder, "/games/sim");
    EXPECT_EQ(SplitInitialName("/games/sim/debrf.tmp").m_strName, "debrf.tmp");
    EXPECT_EQ(SplitInitialName("/pilot.log").m_strFolder, "/");
    EXPECT_EQ(SplitInitialName("").m_strName, "");
}

using FileChoiceChecks = TempDir;

TEST_F(FileChoiceChecks, TheDefaultExtensionAndTheFlagsDecideWhatIsAsked)
{
    const std::string strLog = Write("pilot.log", "x");
    Write("plain", "x");
    const CFileDialog save(false, "log", "", OFN_OVERWRITEPROMPT, "");
    const CFileDialog open(true, "log", "", OFN_FILEMUSTEXIST, "");
    const CFileDialog create(true, "log", "", OFN_CREATEPROMPT, "");

    EXPECT_EQ(CompleteChosenPath(save, Path("pilot")), strLog);
    EXPECT_EQ(CompleteChosenPath(open, Path("plain")), Path("plain")); // an existing bare name stays
    EXPECT_EQ(CompleteChosenPath(open, Path("pilot")), strLog);

    // The chooser asked about "pilot"; the file written is "pilot.log".
    CFileChoiceCheck check = CheckChosenPath(save, strLog, true);
    EXPECT_EQ(check.m_eKind, CFileChoiceCheck::Ask);
    EXPECT_EQ(check.m_strMessage, strLog + " already exists.\nDo you want to replace it?");
    EXPECT_EQ(CheckChosenPath(save, strLog, false).m_eKind, CFileChoiceCheck::Accept);
    EXPECT_EQ(CheckChosenPath(save, Path("new.log"), true).m_eKind, CFileChoiceCheck::Accept);

    EXPECT_EQ(CheckChosenPath(open, Path("gone.log"), false).m_eKind, CFileChoiceCheck::Refuse);
    check = CheckChosenPath(create, Path("gone.log"), false);
    EXPECT_EQ(check.m_eKind, CFileChoiceCheck::Ask);
    EXPECT_EQ(check.m_strMessage, Path("gone.log") + "\nThis file does not exist.\nDo you want to create it?");
    EXPECT_EQ(check.m_nType, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(CheckChosenPath(create, strLog, false).m_eKind, CFileChoiceCheck::Accept);

    const CFileDialog inFolder(true, "", "", OFN_PATHMUSTEXIST, "");
    EXPECT_EQ(CheckChosenPath(inFolder, Path("no-such-folder/a.log"), false).m_eKind, CFileChoiceCheck::Refuse);
    EXPECT_EQ(CheckChosenPath(open, m_dir.string(), false).m_eKind, CFileChoiceCheck::Refuse); // a folder
}

TEST(LabelWrap, BreaksAtBlanksWithinTheWidth)
{
    auto measure = [](const std::string& str) { return static_cast<int>(str.size()); };
    EXPECT_EQ(WrapLabel("Dont Count Suspicious Kills of Ground Objects", 30, measure),
              "Dont Count Suspicious Kills of\nGround Objects");
    EXPECT_EQ(WrapLabel("short", 30, measure), "short");
    EXPECT_EQ(WrapLabel("averyveryverylongword x", 5, measure), "averyveryverylongword\nx");
    EXPECT_EQ(WrapLabel("one\ntwo three", 5, measure), "one\ntwo\nthree");
    EXPECT_EQ(WrapLabel("", 5, measure), "");
}

TEST(DialogUnits, BaseUnitsComeFromTheFontRoundedAsTheClassicPlatformRoundsThem)
{
    struct Case {
        int nLetters, nHeight;
        double dBaseX, dBaseY;
    };
    const Case cases[] = {
        {312, 13, 6, 13}, // 6.0 a letter: the classic 8-point font
        {337, 13, 6, 13}, // 6.48
        {338, 13, 7, 13}, // 6.5 rounds up
        {416, 17, 8, 17}, // the desktop's 10-point font
        {0, 0, 6, 13},    // a font that measures nothing keeps the classic units
        {10, 5, 1, 5},    // never below one pixel
    };
    for (const Case& c : cases) {
        const CDialogUnits units = CDialogUnits::FromFont(c.nLetters, c.nHeight);
        EXPECT_EQ(units.GetBaseX(), c.dBaseX) << c.nLetters;
        EXPECT_EQ(units.GetBaseY(), c.dBaseY) << c.nHeight;
    }
    const CDialogUnits units = CDialogUnits::FromFont(416, 17);
    EXPECT_EQ(units.ToPixels(4, 8, 238, 127), (CPixelRect{8, 17, 476, 270}));
}

TEST(DialogUnits, WideningMakesATextFitAndBoxesThatTouchStillTouch)
{
    CDialogUnits units = CDialogUnits::FromFont(416, 17);
    units.WidenToFit(40, 70); // fits already: unchanged
    EXPECT_EQ(units.GetBaseX(), 8);
    units.WidenToFit(40, 87);
    EXPECT_GT(units.GetBaseX(), 8);
    for (int x : {0, 1, 150, 151, 190, 333}) {
        const CPixelRect left = units.ToPixels(x, 0, 40, 10);
        const CPixelRect right = units.ToPixels(x + 40, 0, 40, 10);
        EXPECT_GE(left.cx, 87) << x;
        EXPECT_EQ(left.x + left.cx, right.x) << x;
    }
    const double dWidened = units.GetBaseX();
    units.WidenToFit(40, 60); // never narrower
    EXPECT_EQ(units.GetBaseX(), dWidened);
    units.WidenToFit(10, 1000); // a hopeless text widens by half at most
    EXPECT_EQ(units.GetBaseX(), 8 * CDialogUnits::kMaxWiden);
}

TEST(DialogUnits, AControlTooSmallForTheToolkitGrowsRightAndEquallyUpAndDown)
{
    const CPixelRect box{10, 100, 50, 20};
    EXPECT_EQ(PlaceInBox(box, 30, 14), box);
    EXPECT_EQ(PlaceInBox(box, 64, 14), (CPixelRect{10, 100, 64, 20}));
    EXPECT_EQ(PlaceInBox(box, 30, 26), (CPixelRect{10, 97, 50, 26}));
    EXPECT_EQ(PlaceInBox(box, 30, 27), (CPixelRect{10, 97, 50, 27})); // an odd pixel goes below
}

} // namespace

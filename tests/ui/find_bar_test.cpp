// The find bar on a real list: marks, the word history in the settings
// file, Enter, "条件削除" and "クリア".
#include <gtest/gtest.h>

#include "support/file_list_panel_fixture.h"

namespace orvane {
namespace {

struct FindBarTest : test::FileListPanelTest {
    void Type(const std::wstring& word) { SetWindowTextW(host->cboFind(), word.c_str()); }
    void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }
    std::vector<std::wstring> History() const {
        std::vector<std::wstring> words;
        for (int i = 0; i < combobox::Count(host->cboFind()); ++i)
            words.push_back(combobox::ItemText(host->cboFind(), i));
        return words;
    }
    void MakeFiles() {
        for (const wchar_t* name : {L"ABC.txt", L"xabcx.mp3", L"Abc", L"other.zip", L"ＡＢＣ全角.txt"})
            test::MakeFile(File(name), 10);
        test::MakeDummy(File(L"[D]abc(1MB).mp3"), 0x100000, 3, true);
    }
};

TEST_F(FindBarTest, FindMarksMatchingNamesIgnoringCaseAndKeepsTheWordOnce) {
    MakeFiles();
    test::PanelHost& w = LoadOnDownloads();
    Type(L"abc");
    Click(w.cmdFind());
    for (const wchar_t* name : {L"ABC.txt", L"xabcx.mp3", L"Abc", L"[D]abc(1MB).mp3"})
        EXPECT_EQ(Color(Row(name), Column::FileName), w.List().FindHighlightColor()) << name;
    EXPECT_EQ(Color(Row(L"other.zip"), Column::FileName), 0u);  // black
    EXPECT_EQ(Color(Row(L"ＡＢＣ全角.txt"), Column::FileName), 0u);
    EXPECT_EQ(Color(Row(L"ABC.txt"), Column::Size), 0x00FF00u);  // the shared size keeps its own colour
    EXPECT_EQ(History(), (std::vector<std::wstring>{L"abc"}));
    EXPECT_EQ(ini.GetIni(L"FIND", L"WORD1", L""), L"abc");

    Click(w.cmdFind());  // the same word again: kept once
    Type(L"ABC");
    Click(w.cmdFind());  // another case: a word of its own
    EXPECT_EQ(History(), (std::vector<std::wstring>{L"abc", L"ABC"}));
    EXPECT_EQ(ini.GetIni(L"FIND", L"WORD2", L""), L"ABC");
    EXPECT_EQ(ini.GetIni(L"FIND", L"WORD3", L"none"), L"none");

    Type(L"ａｂｃ");  // full-width letters match full-width capitals
    Click(w.cmdFind());
    EXPECT_EQ(Color(Row(L"ＡＢＣ全角.txt"), Column::FileName), w.List().FindHighlightColor());
    EXPECT_EQ(Color(Row(L"ABC.txt"), Column::FileName), 0u);
    EXPECT_EQ(Count(), 6);  // nothing is removed or moved
    EXPECT_EQ(Text(0, Column::FileName), L"[D]abc(1MB).mp3");
}

TEST_F(FindBarTest, TheStatusBarTellsWhatTheFindMatchedAndWhatIsSelected) {
    MakeFiles();
    test::PanelHost& w = LoadOnDownloads();
    const auto panel = [&] { return statusbar::Text(w.SBMain(), 2); };
    // The first row comes selected: the dummy, counted at the size it stands for.
    EXPECT_TRUE(test::PumpUntil([&] { return panel() == L"1 個の項目を選択 1.00 MB"; })) << panel();
    ListView& view = w.List().View();
    view.ClearSelection();
    view.Select(Row(L"ABC.txt"), true);
    view.Select(Row(L"other.zip"), true);
    EXPECT_TRUE(test::PumpUntil([&] { return panel() == L"2 個の項目を選択 20 バイト"; })) << panel();
    Type(L"abc");
    Click(w.cmdFind());
    EXPECT_EQ(panel(), L"一致 4 件　2 個の項目を選択 20 バイト");
    Type(L"nothing like it");
    Click(w.cmdFind());
    EXPECT_EQ(panel(), L"一致 0 件　2 個の項目を選択 20 バイト");
    view.ClearSelection();
    w.List().ClearMarks();
    EXPECT_TRUE(test::PumpUntil([&] { return panel().empty(); })) << panel();
}

TEST_F(FindBarTest, EnterInTheFindFieldFindsAndAnEmptyWordMarksEverything) {
    MakeFiles();
    test::PanelHost& w = LoadOnDownloads();
    Type(L"zip");
    HWND edit = GetWindow(w.cboFind(), GW_CHILD);
    ASSERT_NE(edit, nullptr);
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(Color(Row(L"other.zip"), Column::FileName), w.List().FindHighlightColor());
    EXPECT_EQ(Color(Row(L"Abc"), Column::FileName), 0u);
    EXPECT_EQ(ini.GetIni(L"FIND", L"WORD1", L""), L"zip");

    Type(L"");
    Click(w.cmdFind());
    for (int i = 0; i < Count(); ++i) EXPECT_EQ(Color(i, Column::FileName), w.List().FindHighlightColor());
    EXPECT_EQ(History(), (std::vector<std::wstring>{L"zip"}));  // an empty word is not kept
}

TEST_F(FindBarTest, DeletingAWordRewritesTheHistoryAndEndsIt) {
    test::PanelHost& w = LoadOnDownloads(L"[FIND]\r\nWORD1=one\r\nWORD2=two\r\nWORD3=three\r\n");
    const std::string before = test::ReadBytes(ini.IniName);
    Type(L"four");
    Click(w.cmdDelFind());  // not in the history: nothing changes
    EXPECT_EQ(test::ReadBytes(ini.IniName), before);
    EXPECT_EQ(History().size(), 3u);

    Type(L"two");
    Click(w.cmdDelFind());
    EXPECT_EQ(History(), (std::vector<std::wstring>{L"one", L"three"}));
    EXPECT_EQ(WindowText(w.cboFind()), L"two");
    EXPECT_EQ(ini.GetIni(L"FIND", L"WORD1", L""), L"one");
    EXPECT_EQ(ini.GetIni(L"FIND", L"WORD2", L""), L"three");
    EXPECT_EQ(ini.GetIni(L"FIND", L"WORD3", L"missing"), L"");

    test::PanelHost& again = Restart();  // the next start reads the shortened history
    EXPECT_EQ(combobox::Count(again.cboFind()), 2);
}

// Blanks and quotes that the settings file's reader strips, and a letter code
// page 932 lacks: the history holds what the next start reads, so that no
// blank key ends the stored history and hides the words after it.
TEST_F(FindBarTest, TheHistoryHoldsEachWordAsARestartReadsItBack) {
    test::PanelHost& w = LoadOnDownloads();
    for (const wchar_t* typed : {L"one", L"   ", L"\"two\"", L" two ", L"''", L"\" three \"", L"Zoë", L"four"}) {
        Type(typed);
        Click(w.cmdFind());
    }
    const std::vector<std::wstring> kept{L"one", L"two", L"three", L"Zoe", L"four"};
    EXPECT_EQ(History(), kept);
    Restart();
    EXPECT_EQ(History(), kept);

    Type(L" \"one\"");
    Click(host->cmdDelFind());
    Restart();
    EXPECT_EQ(History(), (std::vector<std::wstring>{L"two", L"three", L"Zoe", L"four"}));
}

TEST_F(FindBarTest, ClearRestoresNormalColoursAndEmptiesTheField) {
    MakeFiles();
    test::PanelHost& w = LoadOnDownloads();
    Type(L"nothing matches this");
    Click(w.cmdFind());
    EXPECT_EQ(Color(Row(L"other.zip"), Column::FileName), w.List().Colors().unmatched);
    EXPECT_EQ(Color(Row(L"[D]abc(1MB).mp3"), Column::FileName), 0x808080u);  // a dummy keeps its colour
    Click(w.cmdCls());
    EXPECT_EQ(WindowText(w.cboFind()), L"");
    EXPECT_EQ(Color(Row(L"[D]abc(1MB).mp3"), Column::FileName), 0x808080u);
    EXPECT_EQ(Color(Row(L"other.zip"), Column::FileName), w.List().Colors().listText);
    EXPECT_EQ(History(), (std::vector<std::wstring>{L"nothing matches this"}));

    Type(L"abc");
    Click(w.cmdFind());
    w.List().ListFolder(downloads, true);  // a refill shows normal colours again
    Settle();
    EXPECT_EQ(Color(Row(L"ABC.txt"), Column::FileName), w.List().Colors().listText);
}

}  // namespace
}  // namespace orvane

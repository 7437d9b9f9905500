#include <gtest/gtest.h>
#include <tinyxml.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "Config.h"

namespace {

class ConfigFile : public ::testing::Test {
protected:
    void SetUp() override {
        path = ::testing::TempDir() + "pelumo_config_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".xml";
        std::remove(path.c_str());
    }
    void TearDown() override { std::remove(path.c_str()); }
    void Write(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    std::string Read() {
        std::ifstream f(path, std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }
    std::string path;
    CConfig config;
};

const std::string kDigest(32, 'a');
std::string Digest(int i) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%032x", i);
    return buf;
}

TEST_F(ConfigFile, MissingEmptyTruncatedOrForeignFilesFallBackToAFreshRoot) {
    for (const std::string& text : {std::string(), std::string("<ROOT version=\"1\"><Menu_QQHook bool=\"0\""),
                                    std::string("not xml at all"), std::string("\x00\x01\xff", 3)}) {
        Write(text);
        EXPECT_FALSE(config.Load(path)) << text;
        ASSERT_NE(config.Root(), nullptr);
        EXPECT_STREQ(config.Root()->Value(), "ROOT");
        EXPECT_STREQ(config.Root()->Attribute("version"), "1");
        EXPECT_TRUE(config.GetBoolOr("Menu_QQHook", true));
    }
    std::remove(path.c_str());
    EXPECT_FALSE(config.Load(path));
    // The first save writes a readable file with the root.
    config.SetBool("StartShowTool", true);
    ASSERT_TRUE(config.Save());
    CConfig again;
    EXPECT_TRUE(again.Load(path));
    EXPECT_TRUE(again.GetBoolOr("StartShowTool", false));
}

TEST_F(ConfigFile, ParsableFileWithoutRootGainsOneAndKeepsTheRest) {
    Write("<other a=\"1\"/>");
    EXPECT_FALSE(config.Load(path));
    config.SetBool("hook_win_show_left", true);
    ASSERT_TRUE(config.Save());
    const std::string text = Read();
    EXPECT_NE(text.find("<other"), std::string::npos);
    EXPECT_NE(text.find("<ROOT"), std::string::npos);
}

TEST_F(ConfigFile, BoolIsTrueOnlyWhenItsFirstCharacterIsOne) {
    Write("<ROOT version=\"7\"><Menu_QQHook bool=\"true\"/><A bool=\"1yes\"/><B bool=\"\"/><C/></ROOT>");
    ASSERT_TRUE(config.Load(path));
    bool v = true;
    EXPECT_TRUE(config.GetBool("Menu_QQHook", v));
    EXPECT_FALSE(v);
    EXPECT_TRUE(config.GetBool("A", v));
    EXPECT_TRUE(v);
    EXPECT_TRUE(config.GetBool("B", v));
    EXPECT_FALSE(v);
    v = true;
    EXPECT_FALSE(config.GetBool("C", v));  // no attribute: not found, out untouched
    EXPECT_TRUE(v);
    EXPECT_FALSE(config.GetBool("Missing", v));
    EXPECT_TRUE(config.GetBoolOr("Missing", true));
    EXPECT_FALSE(config.GetBoolOr("Missing", false));
}

TEST_F(ConfigFile, KeysWithSlashesWalkAndCreateElements) {
    config.Load(path);
    EXPECT_EQ(NormaliseConfigKey("a\\\\b///c//d"), "a/b/c/d");
    config.SetBool("win\\pos//left", true);
    config.SetBool("./win/../top", false);
    config.SetBool("../up", true);  // ".." at the root stays at the root
    TiXmlElement* win = config.Root()->FirstChildElement("win");
    ASSERT_NE(win, nullptr);
    ASSERT_NE(win->FirstChildElement("pos"), nullptr);
    ASSERT_NE(win->FirstChildElement("pos")->FirstChildElement("left"), nullptr);
    EXPECT_STREQ(win->FirstChildElement("pos")->FirstChildElement("left")->Attribute("bool"), "1");
    ASSERT_NE(config.Root()->FirstChildElement("top"), nullptr);
    EXPECT_STREQ(config.Root()->FirstChildElement("top")->Attribute("bool"), "0");
    EXPECT_TRUE(config.GetBoolOr("up", false));
    EXPECT_TRUE(config.GetBoolOr("/win/pos/left", false));
    ASSERT_TRUE(config.Save());
    CConfig again;
    EXPECT_TRUE(again.Load(path));  // the file stays readable
    EXPECT_TRUE(again.GetBoolOr("win/pos/left", false));
}

TEST_F(ConfigFile, ListsAreCappedSkipBadItemsAndKeepUnknownElements) {
    std::string text = "<ROOT version=\"1\"><Unknown keep=\"yes\"><Deep/></Unknown><SendFaceList>";
    for (int i = 0; i < 50; ++i) text += "<Item id=\"" + Digest(i) + "\" n=\"" + std::to_string(i) + "\"/>";
    text += "<Item n=\"3\"/><Item id=\"x&quot; or 1=1\"/></SendFaceList><TableList><Item id=\"4\" n=\"2\"/>"
            "<Item n=\"9\"/><Item id=\"7\"/><Item id=\"99999999999\" n=\"zz\"/></TableList><SearchList>";
    for (int i = 0; i < 20; ++i) text += "<Item str=\"s" + std::to_string(i) + "\"/>";
    text += "<Item/></SearchList></ROOT>";
    Write(text);
    ASSERT_TRUE(config.Load(path));
    const auto faces = config.FrequentFaces();
    ASSERT_EQ(faces.size(), 40u);
    EXPECT_EQ(faces[0].id, Digest(0));
    EXPECT_EQ(faces[39].id, Digest(39));
    EXPECT_EQ(faces[39].count, 39);
    const auto tables = config.TableList();
    ASSERT_EQ(tables.size(), 3u);
    EXPECT_EQ(tables[0].id, 4);
    EXPECT_EQ(tables[0].count, 2);
    EXPECT_EQ(tables[1].id, 7);
    EXPECT_EQ(tables[1].count, 0);
    EXPECT_EQ(tables[2].id, 2147483647);
    EXPECT_EQ(tables[2].count, 0);
    EXPECT_EQ(config.SearchHistory().size(), 20u);

    std::vector<std::string> searches;
    for (int i = 0; i < 20; ++i) searches.push_back("微笑 \"%'" + std::to_string(i));
    std::vector<FrequentFace> many(45, FrequentFace{kDigest, 2, {}});
    config.SetFrequentFaces(many);
    config.SetTableList({{3, 1}, {1, 0}});
    config.SetSearchHistory(searches);
    ASSERT_TRUE(config.Save());

    CConfig again;
    ASSERT_TRUE(again.Load(path));
    EXPECT_EQ(again.FrequentFaces().size(), 40u);
    EXPECT_EQ(again.FrequentFaces()[0].count, 2);
    ASSERT_EQ(again.TableList().size(), 2u);
    EXPECT_EQ(again.TableList()[0].id, 3);
    const auto history = again.SearchHistory();
    ASSERT_EQ(history.size(), 15u);
    EXPECT_EQ(history[0], searches[0]);
    EXPECT_EQ(history[14], searches[14]);
    const std::string saved = Read();
    EXPECT_NE(saved.find("<Unknown keep=\"yes\">"), std::string::npos);
    // Lists are rewritten in place, not appended a second time.
    EXPECT_EQ(saved.find("<SendFaceList>"), saved.rfind("<SendFaceList>"));
}

}  // namespace

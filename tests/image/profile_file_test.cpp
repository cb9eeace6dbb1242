#include "image/profile_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "image/defaults.h"

namespace vornik {
namespace {

namespace fs = std::filesystem;

class ProfileFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("profile_file_test_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const fs::path p = dir / name;
        std::ofstream(p, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return p;
    }
    fs::path dir;
};

TEST_F(ProfileFileTest, SaveAppendsBinUnlessTheNameEndsInIt) {
    const struct {
        const char* chosen;
        const char* written;
    } cases[] = {{"fps", "fps.bin"},         {"fps.bin", "fps.bin"},
                 {"FPS.BIN", "FPS.BIN"},     {"fps.Bin", "fps.Bin"},
                 {"fps.bi", "fps.bi.bin"},   {"fps.bin.txt", "fps.bin.txt.bin"},
                 {"fps bin", "fps bin.bin"}, {"bin", "bin.bin"}};
    for (const auto& c : cases) {
        EXPECT_EQ(profileSavePath(dir, c.chosen), dir / c.written) << c.chosen;
        EXPECT_EQ(savePathForChosenName(dir, c.chosen), dir / c.written) << c.chosen;
    }
}

TEST_F(ProfileFileTest, SaveThenLoadRoundTrips) {
    ConfigImage image = builtInImage();
    image[0x7FF] = 0x42;
    std::string error;
    const fs::path p = profileSavePath(dir, "backup");
    ASSERT_TRUE(saveProfileFile(p, image, error)) << error;
    EXPECT_EQ(fs::file_size(p), 2048u);
    ConfigImage back{};
    ASSERT_TRUE(loadProfileFile(p, back, error)) << error;
    EXPECT_EQ(back, image);
    // Only the file itself is left: no temporary beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator{}), 1);
}

TEST_F(ProfileFileTest, LoadReadsAsFarAsTheFileGoes) {
    struct Case {
        std::size_t size;
        std::size_t taken;
    } cases[] = {{1, 1}, {2047, 2047}, {2048, 2048}, {4096, 2048}};
    for (const auto& c : cases) {
        std::vector<std::uint8_t> bytes(c.size);
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
        const fs::path p = write("f" + std::to_string(c.size), bytes);
        ConfigImage image;
        image.fill(0xEE);
        std::string error;
        std::uintmax_t size = 0;
        ASSERT_TRUE(loadProfileFile(p, image, error, &size)) << c.size;
        EXPECT_EQ(size, c.size);
        for (std::size_t i = 0; i < kImageSize; ++i)
            ASSERT_EQ(image[i], i < c.taken ? bytes[i] : 0xEE) << c.size << " at " << i;
    }
}

TEST_F(ProfileFileTest, FilesThatCannotBeUsedNameThemselves) {
    ConfigImage image = builtInImage();
    std::string error;
    EXPECT_FALSE(loadProfileFile(dir / "missing.bin", image, error));
    EXPECT_NE(error.find("missing.bin"), std::string::npos) << error;
    EXPECT_EQ(image, builtInImage());
    error.clear();
    EXPECT_FALSE(loadProfileFile(dir, image, error));
    EXPECT_NE(error.find(dir.string()), std::string::npos) << error;
    error.clear();
    EXPECT_FALSE(saveProfileFile(dir / "no" / "such" / "dir.bin", image, error));
    EXPECT_NE(error.find("dir.bin"), std::string::npos) << error;
}

TEST_F(ProfileFileTest, DefaultImageFromFileOrBuiltIn) {
    const std::string prefix = (dir / "").string();
    ConfigImage image{};
    std::string error;
    bool fromFile = true;
    ASSERT_TRUE(loadDefaultImage(prefix, "TamselData_Cfg2.bin", image, error, &fromFile));
    EXPECT_FALSE(fromFile);
    EXPECT_EQ(image, builtInImage());

    write("TamselData_Cfg2.bin", std::vector<std::uint8_t>(100, 0x33));
    image.fill(0x44);
    ASSERT_TRUE(loadDefaultImage(prefix, "TamselData_Cfg2.bin", image, error, &fromFile));
    EXPECT_TRUE(fromFile);
    for (std::size_t i = 0; i < kImageSize; ++i) ASSERT_EQ(image[i], i < 100 ? 0x33 : 0x44) << i;

    EXPECT_EQ(macroLibraryPrefix("", "/opt/vornik/"), "/opt/vornik/");
    EXPECT_EQ(macroLibraryPrefix("C:\\Macros\\my", "/opt/vornik/"), "C:\\Macros\\my");
}

}  // namespace
}  // namespace vornik

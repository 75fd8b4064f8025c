#include "platform/Directory.h"
#include "platform/SystemRoot.h"
#include "support/TempHome.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace sorvane;

namespace {

class ScopedHome {
public:
    explicit ScopedHome(const char* value) {
        if (const char* home = std::getenv("HOME")) { // NOLINT(concurrency-mt-unsafe)
            saved_ = home;
        }
        setenv("HOME", value, 1); // NOLINT(concurrency-mt-unsafe)
    }
    ~ScopedHome() { setenv("HOME", saved_.c_str(), 1); } // NOLINT(concurrency-mt-unsafe)

private:
    std::string saved_;
};

} // namespace

TEST(DirectoryTest, EveryCaseUnderATwoLevelHome) {
    test::TempHome home;
    SystemRoot::set("");
    const std::string h = home.path();
    const std::string login = loginName();
    const std::pair<Directory, std::string> expected[] = {
        {Directory::applications, "/Applications/"},
        {Directory::user, h + "/"},
        {Directory::library, h + "/Library/"},
        {Directory::preferences, h + "/Library/Preferences/"},
        {Directory::caches, h + "/Library/Caches/"},
        {Directory::applicationSupport, h + "/Library/Application Support/"},
        {Directory::containers, h + "/Library/Containers/"},
        {Directory::savedState, h + "/Library/Saved Application State/"},
        {Directory::trash, h + "/Library/.Trash/"},
        {Directory::appleMusicCache, h + "/Library/Caches/com.apple.Music/"},
        {Directory::safariCache, h + "/Library/Caches/com.apple.safari/"},
        {Directory::spotifyCache, h + "/Library/Caches/com.spotify.client/"},
        {Directory::mailAttachments,
         h + "/Library/Containers/com.apple.mail/Data/Library/Mail Downloads/"},
        {Directory::userLaunchAgents, h + "/Library/LaunchAgents/"},
        {Directory::userLaunchDaemons, h + "/Library/LaunchDaemons/"},
        {Directory::xcode, h + "/Library/Developer/Xcode/"},
        {Directory::volumes, "/Volumes/"},
        {Directory::documents, "/Users/" + login + "/Documents/"},
        {Directory::downloads, "/Users/" + login + "/Downloads/"},
        {Directory::safari, h + "/Library/Safari"},
        {Directory::appleMapsCache, h + "/Library/Containers/com.apple.Maps/"},
    };
    for (const auto& [directory, text] : expected) {
        EXPECT_EQ(url(directory).absoluteString(), text) << static_cast<int>(directory);
    }
    EXPECT_FALSE(url(Directory::appDocuments).path().empty());
    EXPECT_EQ(allDirectories.size(), 22U);
}

TEST(DirectoryTest, HomeFolderRule) {
    {
        // A sandbox container reports a deeper home; the first two pieces are the real one.
        const ScopedHome home("/Users/ann/Library/Containers/org.sorvane.Sorvane/Data");
        EXPECT_EQ(url(Directory::user).path(), "/Users/ann");
        EXPECT_EQ(url(Directory::caches).path(), "/Users/ann/Library/Caches");
    }
    {
        const ScopedHome home("//home///bob//");
        EXPECT_EQ(url(Directory::user).path(), "/home/bob");
    }
    {
        const ScopedHome home("/root");
        EXPECT_EQ(url(Directory::user).path(), "/Users/" + loginName());
        EXPECT_EQ(url(Directory::trash).path(), "/Users/" + loginName() + "/Library/.Trash");
    }
}

TEST(DirectoryTest, SystemLocationsFollowTheSystemRoot) {
    SystemRoot::set("/tmp/sample-root/");
    EXPECT_EQ(url(Directory::applications).path(), "/tmp/sample-root/Applications");
    EXPECT_EQ(url(Directory::volumes).path(), "/tmp/sample-root/Volumes");
    SystemRoot::set("");
    EXPECT_EQ(url(Directory::applications).path(), "/Applications");
}

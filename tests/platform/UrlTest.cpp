#include "platform/Url.h"

#include <gtest/gtest.h>

using sorvane::Url;

TEST(UrlTest, NormalisesPathsKeepsTheFolderMarkAndSplitsComponents) {
    EXPECT_EQ(Url("/a//b/").path(), "/a/b");
    EXPECT_EQ(Url("/").path(), "/");
    EXPECT_EQ(Url::folder("/a/b").absoluteString(), "/a/b/");
    EXPECT_EQ(Url::folder("/").absoluteString(), "/");
    // Equality goes by the absolute text, so the folder mark matters.
    EXPECT_EQ(Url::folder("/a/b"), Url("/a/b/", true));
    EXPECT_NE(Url::folder("/a/b"), Url("/a/b"));

    const Url bundle("/Applications/Widget.appex");
    EXPECT_EQ(bundle.lastPathComponent(), "Widget.appex");
    EXPECT_EQ(bundle.pathExtension(), "appex");
    EXPECT_EQ(Url("/home/.hidden").pathExtension(), "");
    EXPECT_EQ(Url("/home/noext").pathExtension(), "");
    EXPECT_EQ(Url("/a/b.tar.gz").pathExtension(), "gz");
    EXPECT_EQ(bundle.deletingLastPathComponent(), Url::folder("/Applications"));
    EXPECT_EQ(Url("/top").deletingLastPathComponent(), Url::folder("/"));
    EXPECT_EQ(Url("/").deletingLastPathComponent(), Url::folder("/"));
    // Bytes that are not valid text pass through untouched.
    const std::string raw = "/tmp/\xff\xfe name";
    EXPECT_EQ(Url(raw).path(), raw);
}

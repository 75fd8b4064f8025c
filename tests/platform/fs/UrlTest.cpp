#include "platform/fs/Url.h"

#include <gtest/gtest.h>

using sorvane::Url;

// Components of ordinary bundle paths are read throughout the application tests; these are the
// edges: the root, the folder mark, names without an extension and bytes that are not text.
TEST(UrlTest, NormalisesPathsKeepsTheFolderMarkAndSplitsComponents) {
    EXPECT_EQ(Url::folder("/").absoluteString(), "/");
    // Equality goes by the absolute text, so the folder mark matters.
    EXPECT_EQ(Url::folder("/a/b"), Url("/a//b/", true));
    EXPECT_NE(Url::folder("/a/b"), Url("/a/b"));
    for (const char* name : {"/home/.hidden", "/home/noext", "/"}) {
        EXPECT_EQ(Url(name).pathExtension(), "") << name;
    }
    EXPECT_EQ(Url("/a/b.tar.gz").pathExtension(), "gz");
    EXPECT_EQ(Url("/top").deletingLastPathComponent(), Url::folder("/"));
    EXPECT_EQ(Url("/").deletingLastPathComponent(), Url::folder("/"));
    // Bytes that are not valid text pass through untouched.
    const std::string raw = "/tmp/\xff\xfe name";
    EXPECT_EQ(Url(raw).path(), raw);
}

// Every program runs on jemalloc: the link must keep it although no object names it, and it
// must be the malloc that everything (Qt included) calls.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace vantrel {
namespace {

TEST(AllocatorTest, MallocIsJemalloc) {
#ifdef VANTREL_JEMALLOC
    Dl_info info{};
    ASSERT_NE(dladdr(reinterpret_cast<void*>(&malloc), &info), 0);
    ASSERT_NE(info.dli_fname, nullptr);
    EXPECT_NE(std::string(info.dli_fname).find("jemalloc"), std::string::npos)
        << "malloc comes from " << info.dli_fname;
    using Mallctl = int (*)(const char*, void*, size_t*, void*, size_t);
    auto mallctl = reinterpret_cast<Mallctl>(dlsym(RTLD_DEFAULT, "mallctl"));
    ASSERT_NE(mallctl, nullptr);
    const char* version = nullptr;
    size_t size = sizeof(version);
    ASSERT_EQ(mallctl("version", static_cast<void*>(&version), &size, nullptr, 0), 0);
    EXPECT_NE(version, nullptr);
#else
    GTEST_SKIP() << "built without jemalloc (sanitizers)";
#endif
}

}  // namespace
}  // namespace vantrel

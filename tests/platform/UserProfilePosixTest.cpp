#include "platform/UserProfile.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace kvitok::testing {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
        }
        value != nullptr ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() { m_old ? setenv(m_name, m_old->c_str(), 1) : unsetenv(m_name); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

class UserProfilePosixTest : public ::testing::Test {
protected:
    fs::path File() const { return m_folder.Path() / "config" / "kvitok" / "kvitok.ini"; }

    TempFolder m_folder;
};

TEST_F(UserProfilePosixTest, DefaultPathFollowsXdgConfigHome) {
    const ScopedEnv home("HOME", m_folder.Path().c_str());
    {
        const ScopedEnv config("XDG_CONFIG_HOME", (m_folder.Path() / "config").c_str());
        EXPECT_EQ(UserProfile::DefaultPath(), File());
    }
    const fs::path fallback = m_folder.Path() / ".config" / "kvitok" / "kvitok.ini";
    {
        const ScopedEnv config("XDG_CONFIG_HOME", nullptr);
        EXPECT_EQ(UserProfile::DefaultPath(), fallback);
    }
    const ScopedEnv config("XDG_CONFIG_HOME", "relative/dir"); // not absolute: ignored
    EXPECT_EQ(UserProfile::DefaultPath(), fallback);
}

} // namespace
} // namespace kvitok::testing

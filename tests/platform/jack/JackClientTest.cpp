#include "platform/jack/JackClient.h"

#include "core/audio/Engine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace quom {
namespace {

class SilentSource final : public JackSource {
public:
    bool renderBlock(float*, std::uint32_t, const BlockSync*) noexcept override { return false; }
    Engine& engine() noexcept override { return engine_; }

private:
    Engine engine_;
};

// Without a server the client is not made, and says why, without starting one.
TEST(JackClient, OpensNothingWithoutAServer)
{
    const std::string name = "quom-test-no-server-" + std::to_string(getpid());
    const char* saved = std::getenv("JACK_DEFAULT_SERVER");
    const std::string savedValue = saved ? saved : "";
    setenv("JACK_DEFAULT_SERVER", name.c_str(), 1);
    SilentSource source;
    std::string why;
    EXPECT_EQ(JackClient::open(source, why), nullptr);
    EXPECT_EQ(why, "no JACK server is running");
    if (saved)
        setenv("JACK_DEFAULT_SERVER", savedValue.c_str(), 1);
    else
        unsetenv("JACK_DEFAULT_SERVER");
}

} // namespace
} // namespace quom

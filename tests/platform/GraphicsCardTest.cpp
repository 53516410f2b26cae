#include "platform/GraphicsCard.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

namespace
{

// Device folders made of empty files: the probe only reads the names.
TEST(GraphicsCard, KnownByItsDeviceNodes)
{
    const struct
    {
        const char* mName;
        std::vector<const char*> mNodes;
        bool mPresent;
    } cases[] = {
        {"no device folder at all", {}, false},
        {"a display node", {"dri/card0"}, true},
        {"a render node only", {"dri/renderD128"}, true},
        {"the vendor driver's node", {"nvidia0"}, true},
        {"only the vendor driver's control node", {"nvidiactl", "nvidia-modeset"}, false},
        {"the kernel's folder of links, without nodes", {"dri/by-path/pci-card"}, false},
        {"names that only start like nodes", {"dri/card", "dri/cardx", "renderD128", "nvidia"}, false},
        {"other devices", {"null", "tty0", "snd/pcmC0D0p"}, false},
    };
    const auto root = std::filesystem::temp_directory_path() / ("orvellan-dev-" + std::to_string(getpid()));
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.mName);
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root);
        for (const char* node : c.mNodes)
        {
            const auto path = root / node;
            std::filesystem::create_directories(path.parent_path());
            std::ofstream(path).put('\0');
        }
        EXPECT_EQ(platform::graphicsCardPresentIn(root.string()), c.mPresent);
    }
    std::filesystem::remove_all(root);
    EXPECT_FALSE(platform::graphicsCardPresentIn(root.string()));
}

} // namespace

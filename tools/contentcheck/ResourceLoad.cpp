#include "framework/graphics/Image.h"
#include "framework/resources/ResourceManager.h"
#include "tools/contentcheck/PackChecks.h"
#include "tools/contentgen/PackHost.h"

#include <map>

namespace contentcheck
{

namespace
{

// Records the order in which the manager loads a group's identifiers.
class RecordingResourceManager : public Quib::ResourceManager
{
public:
    using ResourceManager::ResourceManager;
    void OnResourceLoaded(BaseRes* res) override { mLoaded.push_back(res->mId); }
    std::vector<std::string> mLoaded;
};

void checkPicture(RecordingResourceManager& manager, const contentgen::ResourceEntry& entry,
                  Problems& problems)
{
    Quib::SharedImageHandle handle = manager.GetImageOrThrow(entry.id);
    Quib::Image* image = handle.AsImage();
    if (!image)
    {
        problems.push_back(entry.id + ": no picture");
        return;
    }
    if (image->GetWidth() != entry.width || image->GetHeight() != entry.height)
        problems.push_back(entry.id + " (" + entry.path + ") is " + std::to_string(image->GetWidth()) +
                           " x " + std::to_string(image->GetHeight()) + ", not " +
                           std::to_string(entry.width) + " x " + std::to_string(entry.height));
    if (image->mRows != entry.rows || image->mColumns != entry.columns)
        problems.push_back(entry.id + " has a grid of " + std::to_string(image->mRows) + " x " +
                           std::to_string(image->mColumns) + ", not " + std::to_string(entry.rows) + " x " +
                           std::to_string(entry.columns));
}

} // namespace

void checkResources(const contentgen::ResourceTable& table, Problems& problems)
{
    contentgen::PackHost host;
    RecordingResourceManager manager(&host);
    if (!manager.ReadManifest("properties/resources.xml"))
    {
        problems.push_back("the manifest does not read: " + manager.GetErrorMessage());
        return;
    }
    for (const std::string& group : table.groups)
    {
        std::vector<const contentgen::ResourceEntry*> expected;
        int images = 0, sounds = 0, fonts = 0;
        for (const contentgen::ResourceEntry& entry : table.entries)
            if (entry.group == group)
            {
                expected.push_back(&entry);
                images += entry.kind == contentgen::ResourceKind::Image;
                sounds += entry.kind == contentgen::ResourceKind::Sound;
                fonts += entry.kind == contentgen::ResourceKind::Font;
            }
        if (manager.CountGroupImages(group) != images || manager.CountGroupSounds(group) != sounds ||
            manager.CountGroupFonts(group) != fonts)
            problems.push_back("group " + group + " declares other resources than the table");

        manager.mLoaded.clear();
        if (!manager.LoadGroup(group))
        {
            problems.push_back("group " + group + " does not load: " + manager.GetErrorMessage());
            return;
        }
        // The manager loads in declaration order, which is where the ids come from.
        std::vector<std::string> order;
        for (const contentgen::ResourceEntry* entry : expected)
            order.push_back(entry->id);
        if (manager.mLoaded != order)
            problems.push_back("group " + group +
                               " declares its identifiers in another order than the table");

        for (const contentgen::ResourceEntry* entry : expected)
        {
            try
            {
                switch (entry->kind)
                {
                case contentgen::ResourceKind::Image:
                    checkPicture(manager, *entry, problems);
                    break;
                case contentgen::ResourceKind::Sound:
                    manager.GetSoundOrThrow(entry->id);
                    break;
                case contentgen::ResourceKind::Font:
                    if (!manager.GetFontOrThrow(entry->id))
                        problems.push_back(entry->id + ": no font");
                    break;
                }
            }
            catch (const Quib::ResourceManagerException& error)
            {
                problems.push_back(entry->id + ": " + manager.GetErrorMessage());
            }
        }
        manager.UnloadGroup(group);
    }
    for (const std::string& error : host.mSounds.mErrors)
        problems.push_back(error);
    for (const std::string& error : host.mErrors)
        problems.push_back(error);
}

} // namespace contentcheck

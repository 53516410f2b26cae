#include "platform/ModuleSource.h"

#include <algorithm>
#include <cmath>
#include <libopenmpt/libopenmpt.h>

namespace platform
{

namespace
{
constexpr uint32_t kLowestRate = 8000;
constexpr uint32_t kHighestRate = 192000;
} // namespace

std::unique_ptr<ModulePcmSource> ModulePcmSource::open(std::vector<uint8_t> bytes, uint32_t samplesPerSecond,
                                                       std::string& error)
{
    if (samplesPerSecond < kLowestRate || samplesPerSecond > kHighestRate)
    {
        error = "unsupported rate " + std::to_string(samplesPerSecond);
        return nullptr;
    }
    int code = OPENMPT_ERROR_OK;
    openmpt_module* module =
        openmpt_module_create_from_memory2(bytes.data(), bytes.size(), openmpt_log_func_silent, nullptr,
                                           openmpt_error_func_ignore, nullptr, &code, nullptr, nullptr);
    if (!module)
    {
        error = "not a tracker module";
        return nullptr;
    }
    return std::unique_ptr<ModulePcmSource>(new ModulePcmSource(std::move(bytes), module, samplesPerSecond));
}

ModulePcmSource::ModulePcmSource(std::vector<uint8_t> bytes, openmpt_module* module,
                                 uint32_t samplesPerSecond)
    : mBytes(std::move(bytes)), mModule(module)
{
    mFormat.channels = 2;
    mFormat.samplesPerSecond = samplesPerSecond;
    mFormat.bitsPerSample = 16;
    openmpt_module_set_repeat_count(mModule, 0);
}

ModulePcmSource::~ModulePcmSource()
{
    openmpt_module_destroy(mModule);
}

size_t ModulePcmSource::read(int16_t* out, size_t frames)
{
    return openmpt_module_read_interleaved_stereo(mModule, int32_t(mFormat.samplesPerSecond), frames, out);
}

bool ModulePcmSource::seek(uint64_t frame)
{
    openmpt_module_set_position_seconds(mModule, double(frame) / mFormat.samplesPerSecond);
    return true;
}

void ModulePcmSource::setLooping(bool loop)
{
    openmpt_module_set_repeat_count(mModule, loop ? -1 : 0);
}

bool ModulePcmSource::seekOrder(int order)
{
    if (order < 0 || order >= orderCount())
        return false;
    openmpt_module_set_position_order_row(mModule, order, 0);
    return true;
}

void ModulePcmSource::setAmplification(int percent)
{
    // The player takes its gain in millibels; anything at or below 0 % is far below hearing.
    constexpr int32_t kSilence = -100000;
    const int32_t millibels =
        percent <= 0 ? kSilence : int32_t(std::lround(2000.0 * std::log10(double(percent) / 100.0)));
    openmpt_module_set_render_param(mModule, OPENMPT_MODULE_RENDER_MASTERGAIN_MILLIBEL,
                                    std::max(millibels, kSilence));
}

int ModulePcmSource::orderCount() const
{
    return openmpt_module_get_num_orders(mModule);
}

} // namespace platform

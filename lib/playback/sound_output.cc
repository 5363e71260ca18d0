// The shared sound state, and the calls that install drivers and service them.
#include "lib/playback/sound_output.h"

#include <memory>

#include "kinet/kinet.h"

namespace kinet {

namespace {

std::unique_ptr<platform::SoundDriver> g_owned_driver;
platform::SoundDriver* g_driver = nullptr;
int g_open_streams = 0;
std::unique_ptr<AudioTrees> g_work_area;

constexpr uint32_t kWorkAreaBytes = 8192;  // four byte trees of 2048 bytes

}  // namespace

platform::SoundDriver* InstalledSoundDriver() { return g_driver; }

bool InstallSoundDriver(platform::SoundDriverKind kind) {
  if (g_driver) return false;
  g_owned_driver = platform::MakeSoundDriver(kind);
  g_driver = g_owned_driver.get();
  return true;
}

void SetSoundDriverForTesting(platform::SoundDriver* driver) {
  g_owned_driver.reset();
  g_driver = driver;
}

int OpenStreamCount() { return g_open_streams; }
void StreamOpened() { ++g_open_streams; }
void StreamClosed() {
  if (g_open_streams > 0 && --g_open_streams == 0) g_work_area.reset();
}

AudioTrees& SoundWorkArea(MemoryCounter& memory) {
  if (!g_work_area) {
    g_work_area = std::make_unique<AudioTrees>();
    memory.Add(kWorkAreaBytes);
  }
  return *g_work_area;
}

AudioTrees* ExistingSoundWorkArea() { return g_work_area.get(); }

void ServiceSound() {
  if (g_driver && g_open_streams > 0) g_driver->Service();
}

}  // namespace kinet

using namespace kinet;

extern "C" uint32_t KinetSoundUseWin(void) {
  return InstallSoundDriver(platform::SoundDriverKind::kPolled) ? 1 : 0;
}

extern "C" uint32_t KinetSoundUseDirectSound(void* directSound) {
  // The device thread of the callback driver stands in for the object the caller may pass;
  // there is no library to load, so only an installed driver makes this fail.
  (void)directSound;
  return InstallSoundDriver(platform::SoundDriverKind::kCallback) ? 1 : 0;
}

extern "C" void SetDirectSoundHWND(void* window) { (void)window; }

extern "C" void KinetSoundCheck(void) { ServiceSound(); }

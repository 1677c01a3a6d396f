// The process-wide skin manager as a skin data component sees it. The manager lives with the form
// skinning, a layer above the skin data; it installs a provider here, and skin data components
// reach it only through this interface.
#pragma once

#include <windows.h>

namespace bus {

class TSkinData;

class TSkinManagerLink {
public:
  virtual ~TSkinManagerLink() = default;

  // Adds a component to the registered ones; the first with SkinFormtype sfMainform becomes the
  // main skin. Registering a component twice changes nothing.
  virtual void RegisterSkinData(TSkinData* skin) = 0;
  // Removes a component; nothing the manager keeps refers to it afterwards.
  virtual void UnregisterSkinData(TSkinData* skin) = 0;
  // Installs the window hook for the calling thread (once).
  virtual void InstallHook() = 0;
  // Skins one top-level window now; whether it was taken.
  virtual bool SkinWindow(HWND window) = 0;
  // Asks for command 1 (apply), 2 (remove) or 3 (refresh) after `delay` milliseconds. Before the
  // first window activation (RunCount 0) only the effect on Active is recorded at once.
  virtual void RequestCommand(int command, unsigned delay) = 0;
  // Has every skinned form of the current component drop its caption button objects.
  virtual void DropCaptionButtons() = 0;

  // Skinning is switched on.
  virtual bool Active() const = 0;
  virtual void SetActive(bool active) = 0;
  // 0 until the first window activation has been seen.
  virtual int RunCount() const = 0;
  virtual void SetRunCount(int count) = 0;
  // The component whose request is pending.
  virtual TSkinData* CurrentSkin() const = 0;
  virtual void SetCurrentSkin(TSkinData* skin) = 0;
};

// Finds the process's skin manager; with `create`, makes it first when there is none. Returns null
// when there is none (or no provider is installed).
using TSkinManagerProvider = TSkinManagerLink* (*)(bool create);
void SetSkinManagerProvider(TSkinManagerProvider provider) noexcept;
TSkinManagerLink* FindSkinManager(bool create = false);

}  // namespace bus

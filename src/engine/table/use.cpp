#include "engine/table/use.h"

#include <cstdio>

#include "common/code_page.h"
#include "common/error_codes.h"
#include "common/error_state.h"
#include "common/path_names.h"
#include "common/text_routines.h"
#include "engine/table/close_work_area.h"
#include "engine/table/dbf_file.h"
#include "engine/table/engine_hooks.h"
#include "engine/table/engine_settings.h"
#include "engine/table/go_top.h"
#include "engine/table/record_image.h"
#include "engine/table/record_io.h"
#include "engine/table/use_command.h"
#include "engine/table/work_areas.h"
#include "platform/file_lookup.h"
#include "platform/file_times.h"

namespace pw {
namespace {

std::string BufferText(const unsigned char* buffer) {
  if (buffer == nullptr) return "Nil";
  char text[32];
  std::snprintf(text, sizeof text, "%p", static_cast<const void*>(buffer));
  return text;
}

// Gives up an open that failed after the file was opened: the work area is
// emptied first, then the failure is reported.
bool Abandon(WorkArea& area, std::uint16_t code, const std::string& detail) {
  area = WorkArea{};
  SetError(code, detail);
  return false;
}

// The mode of step "open": exclusive when asked for, when the shared mode is
// itself exclusive, or when there is no network; a forced access replaces
// the access only.
struct ChosenMode {
  platform::Access access;
  platform::Sharing sharing;
  bool exclusive;
};

ChosenMode ChooseOpenMode(bool exclusiveAsked) {
  const EngineSettings& settings = Settings();
  ChosenMode mode{settings.sharedOpenMode.access, settings.sharedOpenMode.sharing, false};
  mode.exclusive =
      exclusiveAsked || mode.sharing == platform::Sharing::Exclusive || !settings.networkMode;
  if (mode.exclusive) {
    mode.access = platform::Access::ReadWrite;
    mode.sharing = platform::Sharing::Exclusive;
  }
  if (settings.forcedAccess) mode.access = *settings.forcedAccess;
  return mode;
}

bool AliasInUseElsewhere(const std::string& alias) {
  for (int n = 1; n <= kWorkAreaCount; ++n) {
    const WorkArea& other = WorkAreaAt(n);
    if (n != CurrentWorkArea() && other.occupied && other.alias == alias) return true;
  }
  return false;
}

}  // namespace

bool Use(const std::string& command, unsigned char* buffer, std::uint16_t size) {
  return UseTable(ParseUseCommand(AllTrim(command)), buffer, size);
}

bool UseTable(const UseCommand& open, unsigned char* buffer, std::uint16_t size) {
  ClearEngineError();
  CloseWorkArea();
  const std::string path = AllTrim(open.fileName);
  if (path.empty()) return true;
  if ((buffer == nullptr) != (size == 0)) {
    SetError(kInvalidParameter,
             "Buffer is NIL or size is zero, attempting to open " + UpperPath(path) + "  [USE]");
    return false;
  }
  const std::string name = UpperPath(path);
  std::string fullPath;
  if (int code = platform::FullPath(path, &fullPath); code != 0) {
    SetError(static_cast<std::uint16_t>(code), "Failure to open " + name + " [USE/OpenDbf]");
    return false;
  }
  const bool addExtension = !HasExtension(fullPath);
  WorkArea& area = CurrentArea();
  area.fileName = UpperPath(fullPath) + (addExtension ? ".DBF" : "");
  const std::string diskPath = platform::ResolvePathNoCase(fullPath + (addExtension ? ".dbf" : ""));

  const ChosenMode mode = ChooseOpenMode(open.exclusive);
  area.oem = !Settings().ansiLanguage;
  if (!OpenDbf(area, diskPath, mode.access, mode.sharing)) return false;

  area.occupied = true;
  area.alias = open.alias.empty() ? RemoveExt(FileNameOf(area.fileName))
                                  : Upper(open.alias.substr(0, kMaxAliasLength));
  area.exclusive = mode.exclusive;

  const std::size_t imageSize = ImageSizeOf(area.fields);
  area.imageSize = static_cast<std::uint16_t>(imageSize);
  if (buffer == nullptr) {
    area.ownedImage.assign(imageSize, 0);
    area.image = area.ownedImage.data();
  } else if (size != imageSize) {
    return Abandon(area, kInvalidSize,
                   "Database record/buffer size mismatch: " + name + " [USE()]\n\rRecord Size=" +
                       std::to_string(imageSize) + ", Buffer Size=" + std::to_string(size));
  } else {
    area.image = buffer;
  }
  if (AliasInUseElsewhere(area.alias)) {
    return Abandon(area, kInvalidParameter,
                   "Alias name \"" + area.alias + "\" already in use. [USE]");
  }

  if (area.recordCount < 1) {
    BlankRecord(area);
    area.bof = true;
    area.eof = true;
  } else {
    {
      AutoDispatchOff quiet;
      GoTop();
    }
    if (std::uint16_t code = EngineErrorCode(); code != 0) {
      return Abandon(area, code, TakeDetailText());
    }
  }
  area.swap.assign(imageSize, 0);

  MemoHooks* memo = RegisteredHooks().memo;
  if (area.hasMemo && memo != nullptr) {
    if (int code = memo->OpenMemo(area); code != 0) {
      return Abandon(area, static_cast<std::uint16_t>(code),
                     "Problem opening memo file [USE(" + name + "," + BufferText(buffer) + "," +
                         std::to_string(size) + ")]");
    }
  }
  CloseAllAtExit();
  return true;
}

}  // namespace pw

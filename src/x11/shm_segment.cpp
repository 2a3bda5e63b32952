#include "shm_segment.h"

#include <sys/ipc.h>
#include <sys/shm.h>

namespace tintspot::x11 {
namespace {

bool g_attach_failed = false;
int NoteAttachError(Display*, XErrorEvent*) {
  g_attach_failed = true;
  return 0;
}

}  // namespace

ShmSegment::ShmSegment(Display* display, std::size_t bytes) : display_(display) {
  if (bytes == 0 || !XShmQueryExtension(display_)) return;
  info_.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  if (info_.shmid < 0) return;
  info_.shmaddr = static_cast<char*>(shmat(info_.shmid, nullptr, 0));
  if (info_.shmaddr == reinterpret_cast<char*>(-1)) {
    shmctl(info_.shmid, IPC_RMID, nullptr);
    info_.shmaddr = nullptr;
    return;
  }
  info_.readOnly = False;
  // A server that cannot map the segment (another machine) answers the attach with an error.
  g_attach_failed = false;
  XSync(display_, False);
  auto* previous = XSetErrorHandler(NoteAttachError);
  const bool attached = XShmAttach(display_, &info_) != 0;
  XSync(display_, False);
  XSetErrorHandler(previous);
  // The segment goes when the last process detaches it, also when this one dies.
  shmctl(info_.shmid, IPC_RMID, nullptr);
  attached_ = attached && !g_attach_failed;
  if (!attached_) {
    shmdt(info_.shmaddr);
    info_.shmaddr = nullptr;
  }
}

ShmSegment::~ShmSegment() {
  if (!attached_) return;
  XShmDetach(display_, &info_);
  XSync(display_, False);
  shmdt(info_.shmaddr);
}

}  // namespace tintspot::x11

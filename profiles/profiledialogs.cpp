#include "profiles/profiledialogs.h"

#include "profiles/profilehost.h"
#include "profiles/profilekinds.h"

namespace zod {

ProfileHost::~ProfileHost() = default;

ProfileDialogs::ProfileDialogs(ProfileHost& host) : m_host(host) {}

ProfileDialogs::~ProfileDialogs() {
  for (QPointer<ProfileDialog>& d : m_dialogs) delete d.data();
}

ProfileDialog* ProfileDialogs::find(Member m, int kind) const {
  if (!profiles::IsKind(kind)) return nullptr;
  ProfileDialog* d = m_dialogs[slot(m, kind)];
  return d && !d->isClosed() ? d : nullptr;
}

ProfileDialog* ProfileDialogs::dialog(Member m, int kind) {
  if (!profiles::IsKind(kind)) return nullptr;
  if (ProfileDialog* d = find(m, kind)) return d;
  // A closed dialog may still wait for its deletion; it is not reused.
  auto* d = new ProfileDialog(m_host, m, kind);
  m_dialogs[slot(m, kind)] = d;
  return d;
}

ProfileDialog* ProfileDialogs::show(Member m, int kind) {
  ProfileDialog* d = dialog(m, kind);
  if (!d) return nullptr;
  if (d->isVisible())
    d->raise();
  else
    d->show();
  d->activateWindow();
  return d;
}

void ProfileDialogs::showCurrent(Member m) {
  const State& z = m_host.state();
  show(m, m == Member::Stiffener ? z.stifftype : z.girdtype);
}

void ProfileDialogs::openKind(Member m, int kind) {
  if (!profiles::IsKind(kind)) return;
  State& z = m_host.state();
  (m == Member::Stiffener ? z.stifftype : z.girdtype) = static_cast<std::int16_t>(kind);
  show(m, kind);
}

QPixmap ProfileDialogs::sketch(Member m, int kind) {
  ProfileDialog* d = dialog(m, kind);
  return d ? d->sketch() : QPixmap();
}

void ProfileDialogs::closeAll() {
  for (const auto& [m, kind] : profiles::CloseOrder())
    if (ProfileDialog* d = find(m, kind)) d->closeByProgram();
}

void ProfileDialogs::dropTyping() {
  for (const QPointer<ProfileDialog>& d : m_dialogs)
    if (d && !d->isClosed()) d->dropTyping();
}

bool ProfileDialogs::commitTyping() {
  for (const QPointer<ProfileDialog>& d : m_dialogs)
    if (d && !d->isClosed() && !d->commitTyping()) return false;
  return true;
}

}  // namespace zod

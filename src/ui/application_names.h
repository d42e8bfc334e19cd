// The organisation and application names. With them the platform finds the
// editor's settings, e.g. ~/.config/Zentil/Zentil Editor.conf.
#pragma once

namespace zentil {

inline constexpr char kOrganisationName[] = "Zentil";
inline constexpr char kApplicationName[] = "Zentil Editor";

}  // namespace zentil

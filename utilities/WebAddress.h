#pragma once
#include <string>

// True for an http:// or https:// address (scheme in any letter case) with something after the scheme.
// Link labels open only these: a label's text may come from a downloaded file, and the shell would
// otherwise run programs or open file:, UNC and protocol-handler targets.
bool IsWebAddress(const std::wstring& text);

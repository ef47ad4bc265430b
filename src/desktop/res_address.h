#pragma once

#include "declfile/form_facts.h"

#include <QUrl>

#include <optional>

namespace formulario {

// Addresses of the res: scheme. The form's pages reach their stylesheet and
// scripts as "res://Formulario7316.exe/#23/#<id>" (type 23, resource id); the
// engine hands the whole address, fragment included, to the scheme handler.
// A page text built in memory is shown at one fixed address of its own.
namespace res_address {

inline constexpr char kScheme[] = "res";
inline constexpr int kBlankFormId = kPageResource.id;

// "res://Formulario7316.exe/#23/#<id>".
QUrl ResourceUrl(int id);

// The address at which the last page text built in memory is served.
QUrl ShownPageUrl();

// The resource id that a res: address names, or nothing when it names none.
std::optional<int> ResourceIdOf(const QUrl& url);

// True for the address of the page built in memory.
bool IsShownPage(const QUrl& url);

}  // namespace res_address

}  // namespace formulario

#pragma once

#include "host/declaration_register.h"

#include <array>
#include <string>
#include <string_view>

namespace formulario {

// The register's columns, in the order shown and printed.
enum class RegisterColumn {
    kNit,
    kName,
    kPeriod,
    kDeclarationNumber,
    kFormNumber,
    kPresented,
    kTax,
    kRectifies,
    kPath,
    kMark,
    kReason
};

struct RegisterColumnSpec {
    RegisterColumn column;
    std::string_view title;
};

inline constexpr std::array<RegisterColumnSpec, 11> kRegisterColumns = {{
    {RegisterColumn::kNit, "NIT"},
    {RegisterColumn::kName, "Nombre"},
    {RegisterColumn::kPeriod, "Período"},
    {RegisterColumn::kDeclarationNumber, "Número de declaración"},
    {RegisterColumn::kFormNumber, "Número de formulario"},
    {RegisterColumn::kPresented, "Fecha de presentación"},
    {RegisterColumn::kTax, "Impuesto a pagar"},
    {RegisterColumn::kRectifies, "Declaración que rectifica"},
    {RegisterColumn::kPath, "Archivo"},
    {RegisterColumn::kMark, "Marca"},
    {RegisterColumn::kReason, "Motivo"},
}};

// The text of a row's cell: the period as "mm/yyyy", the mark in words
// ("Original", "Corrección 1", "Falta", "No se pudo leer"), the rest as read.
std::string RegisterCell(const RegisterRow& row, RegisterColumn column);

// A text that sorts the column's cells as a person expects: periods and
// dates by time, amounts by value, the rest by their text.
std::string RegisterSortKey(const RegisterRow& row, RegisterColumn column);

}  // namespace formulario

#pragma once

#include <QString>

// Types the taxpayer, the period and a full annex of complete rows straight
// into the blank form's fields, without their leave handlers (brands repeat:
// only the leave handler of a selector refuses a repeated brand). The page's
// own row counts decide how many rows that is.
inline QString FillFullFormScript()
{
    return QStringLiteral(R"JS(
C.c2.value = '12345679'; C.c3.value = 'Tabacalera Ejemplo';
C.mes_ini.value = '03'; C.anio_ini.value = '2012'; validacionesfecha();
C.renglones1.value = String(MAXANEXOS - ANEXOSINICIALES); anexahta(C.renglones1, 1);
for (var r = 1; r <= MAXANEXOS; r++) {
    C['f1' + r + 'c1'].value = catalogomarcas[(r - 1) % catalogomarcas.length];
    C['f1' + r + 'c2'].value = formatNumber(20 + r, '0.0000');
    C['f1' + r + 'c3'].value = formatNumber(baseminima(20 + r), '0.00');
    C['f1' + r + 'c4'].value = formatNumber(100 * r, '0.0000');
    C['f1' + r + 'c5'].value = '1.0000';
    C['f1' + r + 'c6'].value = '2.0000';
}
)JS");
}

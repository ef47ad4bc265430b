// configuracion7316: constants, the box table, the annex column table,
// the box formulas and the minimum taxable base.

// ---- Constants, box table and formulas ----

var MINELEMENT = 1;            // first index of the box table
var MAXELEMENT = 29;           // last index of the box table
var FORMATODECIMAL = "0.00";   // two-decimal amounts
var maxcol = 6;                // entry columns of one annex row
var ANEXOSINICIALES = 15;      // annex rows built at start-up
// @FORM_FACTS@
var ANEXOS = 1;                // the brand annex is the only annex, number 1

// Per annex, index 0 reserved: current rows, initial rows, most rows, columns.
var ANEXO = [0, 0];
var VANEXOSINICIALES = [0, ANEXOSINICIALES];
var VMAXANEXOS = [0, MAXANEXOS];
var VMAXCOL = [0, maxcol];

// One entry of the box table. calculo, total and condicion are call texts of
// functions of this module.
function restriccion(id, tipo, decimal, requerido, longmax, longmin, valormax, valormin,
                     formula, calculo, predeterminado, protegido, resaltado, total,
                     condicion, visado) {
    this.id = id;
    this.tipo = tipo;
    this.decimal = decimal;
    this.requerido = requerido;
    this.longmax = longmax;
    this.longmin = longmin;
    this.valormax = valormax;
    this.valormin = valormin;
    this.formula = formula;
    this.calculo = calculo;
    this.predeterminado = predeterminado;
    this.protegido = protegido;
    this.resaltado = resaltado;
    this.total = total;
    this.condicion = condicion;
    this.visado = visado;
}

// The box table, indexed 0 (reserved) to 29. The recalculation pass walks it
// in index order, so a box may use the boxes above it.
function atributo() {
    var si = true, no = false;
    //                          id       tipo dec req lmax lmin vmax vmin  form calculo             pred      prot res total condicion             visado
    this[0]  = new restriccion(0,       "",  no, no,  "",  "",  "",  "",   no,  "",                 "",       no,  no, "",   "",                   no);
    this[1]  = new restriccion("c1",    "N", no, no,  "",  "",  "",  "",   no,  "",                 "",       si,  no, "",   "",                   no);
    this[2]  = new restriccion("c2",    "A", no, si,  "",  "",  "",  "",   no,  "",                 "",       no,  no, "",   "",                   no);
    this[3]  = new restriccion("c3",    "A", no, si,  "",  "",  "",  "",   no,  "",                 "",       no,  no, "",   "",                   no);
    this[4]  = new restriccion("c4",    "F", no, si,  "",  "",  "",  "",   no,  "",                 "",       no,  no, "",   "",                   no);
    this[5]  = new restriccion("c5",    "F", no, si,  "",  "",  "",  "",   no,  "",                 "",       no,  no, "",   "",                   no);
    this[6]  = new restriccion("c6",    "N", no, no,  "",  "",  "",  "",   no,  "",                 "46",     si,  no, "",   "",                   no);
    this[7]  = new restriccion("c2007", "N", si, no,  "",  "",  "",  "",   si,  "calculo_c2007()",  "",       si,  no, "",   "",                   no);
    this[8]  = new restriccion("c2008", "N", si, no,  "",  "",  "",  "",   si,  "calculo_c2008()",  "",       si,  no, "",   "",                   no);
    this[9]  = new restriccion("c2009", "N", si, no,  "",  "",  "",  "",   si,  "calculo_c2009()",  "",       si,  no, "",   "",                   no);
    this[10] = new restriccion("c2010", "N", si, no,  "",  "",  "",  "",   si,  "calculo_c2010()",  "",       si,  no, "",   "",                   no);
    this[11] = new restriccion("c2011", "N", si, no,  "",  "",  "",  "",   si,  "calculo_c2011()",  "",       si,  no, "",   "",                   no);
    this[12] = new restriccion("c2012", "N", si, no,  "",  "",  "",  "",   si,  "calculo_c2012()",  "",       si,  no, "",   "",                   no);
    this[13] = new restriccion("c2013", "N", no, no,  "",  "",  "",  "",   no,  "",                 "0.005",  si,  no, "",   "",                   no);
    this[14] = new restriccion("c2014", "N", no, no,  "",  "",  "",  "",   no,  "",                 "0.0025", si,  no, "",   "",                   no);
    this[15] = new restriccion("c2015", "N", no, no,  "",  "",  "",  "",   si,  "calculo_c2015()",  "",       si,  no, "",   "",                   no);
    this[16] = new restriccion("c2016", "N", no, no,  "",  "",  "",  "",   si,  "calculo_c2016()",  "",       si,  no, "",   "",                   no);
    this[17] = new restriccion("c2017", "N", si, no,  "",  "",  "",  "",   no,  "",                 "",       si,  no, "",   "condicion_c2017()",  no);
    this[18] = new restriccion("c2018", "N", si, no,  "",  "",  "",  "",   no,  "",                 "",       si,  no, "",   "condicion_c2018()",  no);
    this[19] = new restriccion("c2019", "N", si, no,  "",  "",  "",  "",   si,  "calculo_c2019()",  "",       si,  no, "",   "",                   no);
    this[20] = new restriccion("c2020", "E", no, no,  "",  "",  "",  "",   no,  "",                 "",       no,  no, "",   "condicion_c2020()",  no);
    this[21] = new restriccion("c2021", "N", si, no,  "",  "",  "",  "0",  no,  "",                 "",       no,  no, "",   "condicion_c2021()",  no);
    this[22] = new restriccion("c2022", "N", si, no,  "",  "",  "",  "",   no,  "",                 "",       si,  no, "",   "condicion_c2022()",  no);
    this[23] = new restriccion("c2023", "N", si, no,  "",  "",  "",  "",   no,  "",                 "",       si,  no, "",   "",                   no);
    this[24] = new restriccion("c2024", "N", si, no,  "",  "",  "",  "0",  no,  "",                 "",       no,  no, "",   "",                   no);
    this[25] = new restriccion("c2025", "N", si, no,  "",  "",  "",  "0",  no,  "",                 "",       no,  no, "",   "",                   no);
    this[26] = new restriccion("c2026", "N", si, no,  "",  "",  "",  "0",  no,  "",                 "",       no,  no, "",   "",                   no);
    this[27] = new restriccion("c2027", "N", si, no,  "",  "",  "",  "",   no,  "",                 "",       si,  no, "",   "condicion_c2027()",  no);
    this[28] = new restriccion("c2028", "N", si, no,  "",  "",  "",  "",   no,  "",                 "",       si,  no, "",   "",                   no);
    this[29] = new restriccion("c2029", "N", si, no,  "",  "",  "",  "",   no,  "",                 "",       si,  no, "",   "condicion_c2029()",  no);
}

// Labels of the rectification balance (block "lyr2") and of the final
// balance (block "lyr3"), by the sign of the amount.
var TEXTOVALORAINGRESAR = "(=) Valor a ingresar (impuesto a pagar menos valor ingresado)";
var TEXTOVALORAFAVOR = "(=) Valor a favor del contribuyente";
var TEXTOSALDOAPAGAR = "(=) Saldo a pagar (valor a ingresar más multa, intereses y mora)";
var TEXTOSALDOAFAVOR = "(=) Saldo favor del contribuyente";

// Shows `texto` in the label block `id`, rewriting the block only when it
// shows something else: a rewrite has the form list its named fields anew at
// the next look-up by name.
function cambialeyenda(id, texto) {
    if (document.getElementById(id).innerHTML != texto)
        cambiatexto(id, texto);
}

// x to two decimals, halves going up (towards positive infinity).
function round2(x) {
    return Math.round(x * 100) / 100;
}

// The box (or other field) with that id, which is its name. The recalculation
// finds boxes by id, not by name in the form: each value it writes has the
// form list its named fields anew at the next look-up by name, a pass over
// every field, annex cells included.
function casilla(id) {
    return document.getElementById(id);
}

// A box read as a number, the empty text counting as 0.
function numerocasilla(id) {
    return Number(casilla(id).value);
}

// A cell of the brand annex read as a number, the empty text counting as 0.
function numerocelda(renglon, columna) {
    return Number(celdaanexo(1, renglon, columna).value);
}

// Sum of one annex column over the rows built.
function sumacolumna(columna) {
    var suma = 0;
    for (var r = 1; r <= ANEXO[1]; r++)
        suma += numerocelda(r, columna);
    return suma;
}

// Sum over the annex rows of the taxable base times one quantity column.
function sumaproducto(columna) {
    var suma = 0;
    for (var r = 1; r <= ANEXO[1]; r++)
        suma += numerocelda(r, 3) * numerocelda(r, columna);
    return suma;
}

function calculo_c2007() { return sumacolumna(4); }
function calculo_c2008() { return sumacolumna(5); }
function calculo_c2009() { return sumacolumna(6); }
function calculo_c2010() { return sumaproducto(4); }
function calculo_c2011() { return sumaproducto(5); }
function calculo_c2012() { return sumaproducto(6); }
function calculo_c2015() { return round2(numerocasilla("c2010") * numerocasilla("c2013")); }
function calculo_c2016() { return round2(numerocasilla("c2010") * numerocasilla("c2014")); }

// The deduction to apply is the smaller of the calculated and the maximum
// deduction; a tie takes the maximum.
function menordeduccion(calculada, maxima) {
    return numerocasilla(calculada) < numerocasilla(maxima) ? casilla(calculada).value : casilla(maxima).value;
}

function condicion_c2017() { return menordeduccion("c2011", "c2015"); }
function condicion_c2018() { return menordeduccion("c2012", "c2016"); }

function calculo_c2019() {
    return round2(numerocasilla("c2010") - numerocasilla("c2017") - numerocasilla("c2018"));
}

// The number of a rectified declaration must be above 0.
function condicion_c2020() {
    var numero = casilla("c2020").value;
    if (numero == "" || Number(numero) > 0)
        return numero;
    alert("Error:\nLa casilla “Nº de la declaración que se rectifica” contiene caracteres no permitidos.\nPor favor corrija el error ingresando números enteros mayores a cero");
    casilla("c2020").focus();
    return "";
}

// An amount paid is only meaningful with the number of the declaration it paid.
function condicion_c2021() {
    var valor = casilla("c2021").value;
    if (valor == "" || casilla("c2020").value != "")
        return valor;
    alert("Error:\nUsted ha llenado la casilla “Valor ingresado con la declaración que se rectifica” pero ha dejado vacía la casilla “Nº de la declaración que se rectifica”.\nPor favor corrija el error, llenando la casilla “Nº de declaración que se rectifica”");
    casilla("c2020").focus();
    return "";
}

// Amount to pay in after a rectification, or (in c2023) the amount in the
// taxpayer's favour.
function condicion_c2022() {
    var diferencia = numerocasilla("c2019") - numerocasilla("c2021");
    if (diferencia >= 0) {
        cambialeyenda("lyr2", TEXTOVALORAINGRESAR);
        casilla("c2023").value = "";
        casilla("v2").value = formatNumber(round2(diferencia), FORMATODECIMAL);
        return round2(diferencia);
    }
    cambialeyenda("lyr2", TEXTOVALORAFAVOR);
    casilla("c2023").value = -diferencia;
    casilla("v2").value = formatNumber(casilla("c2023").value, FORMATODECIMAL);
    return "";
}

// Balance to pay, or (in c2028) the balance in the taxpayer's favour.
function condicion_c2027() {
    var saldo;
    if (casilla("c2022").value != "") {
        cambialeyenda("lyr3", TEXTOSALDOAPAGAR);
        casilla("c2028").value = "";
        saldo = round2(numerocasilla("c2022") + numerocasilla("c2024") +
                       numerocasilla("c2025") + numerocasilla("c2026"));
        casilla("v3").value = formatNumber(saldo, FORMATODECIMAL);
        return saldo;
    }
    saldo = round2(numerocasilla("c2024") + numerocasilla("c2025") +
                   numerocasilla("c2026") - numerocasilla("c2023"));
    casilla("v3").value = formatNumber(saldo, FORMATODECIMAL);
    if (Number(casilla("v3").value) >= 0) {
        cambialeyenda("lyr3", TEXTOSALDOAPAGAR);
        casilla("c2028").value = "";
        return Number(casilla("v3").value);
    }
    cambialeyenda("lyr3", TEXTOSALDOAFAVOR);
    casilla("c2028").value = -Number(casilla("v3").value);
    return "";
}

function condicion_c2029() {
    return casilla("c2028").value != "" ? 0 : casilla("c2027").value;
}

// ---- Brand annex: column table and minimum taxable base ----

// One entry of the annex column table. formula and condicion are flags: the
// functions they stand for are "calculo_" and "condicion_" + columna.
function objetoanexo(columna, tipo, decimal, requerido, longmax, longmin, valormax, valormin,
                     formula, predeterminado, protegido, resaltado, condicion) {
    this.columna = columna;
    this.tipo = tipo;
    this.decimal = decimal;
    this.requerido = requerido;
    this.longmax = longmax;
    this.longmin = longmin;
    this.valormax = valormax;
    this.valormin = valormin;
    this.formula = formula;
    this.predeterminado = predeterminado;
    this.protegido = protegido;
    this.resaltado = resaltado;
    this.condicion = condicion;
}

// The columns of the brand annex, indexed 0 (reserved) to 6: brand, price,
// taxable base (required), packages made, deductions A and B.
function atributoanexo() {
    var si = true, no = false;
    //                         columna tipo dec req  lmax lmin vmax vmin form pred prot res  cond
    this[0] = new objetoanexo("",     "",  no, no,  "",  "",  "",  "",  no,  "",  no,  no,  no);
    this[1] = new objetoanexo("col1", "A", no, no,  "",  "",  "",  "",  no,  "",  no,  no,  no);
    this[2] = new objetoanexo("col2", "N", no, no,  "",  "",  "",  "0", no,  "",  no,  no,  no);
    this[3] = new objetoanexo("col3", "N", no, si,  "",  "",  "",  "0", no,  "",  no,  no,  no);
    this[4] = new objetoanexo("col4", "N", no, no,  "",  "",  "",  "0", no,  "",  no,  no,  no);
    this[5] = new objetoanexo("col5", "N", no, no,  "",  "",  "",  "0", no,  "",  no,  no,  no);
    this[6] = new objetoanexo("col6", "N", no, no,  "",  "",  "",  "0", no,  "",  no,  no,  no);
}

// The lowest taxable base a price allows: 75 % of it, cut (not rounded) to
// four decimals, then rounded to two.
function baseminima(precio) {
    var texto = String(0.75 * Number(precio));
    var punto = texto.indexOf(".");
    if (punto >= 0)
        texto = texto.substring(0, punto + 5);
    return round2(Number(texto));
}

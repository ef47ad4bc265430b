// formato: number formatting.

// True when the text (or number) converts to a finite number that equals it;
// the empty text converts to 0. "1,000" and "abc" fail.
function esnumerico(valor) {
    var numero = Number(valor);
    return numero == valor && isFinite(numero);
}

// input without every character that occurs in chars.
function strip(input, chars) {
    var resultado = "";
    for (var i = 0; i < input.length; i++)
        if (chars.indexOf(input.charAt(i)) < 0)
            resultado += input.charAt(i);
    return resultado;
}

// input with separator before every group of three characters counted from
// the right, never at the start.
function separate(input, separator) {
    var texto = String(input);
    var resultado = "";
    for (var fin = texto.length; fin > 0; fin -= 3) {
        var grupo = texto.substring(Math.max(0, fin - 3), fin);
        resultado = (fin > 3 ? separator : "") + grupo + resultado;
    }
    return resultado;
}

// A string of decimal digits plus one, as digits ("099" gives "100", "99"
// gives "100", "" gives "1").
function sumauno(digitos) {
    var i = digitos.length - 1;
    while (i >= 0 && digitos.charAt(i) == "9")
        i--;
    return (i < 0 ? "1" : digitos.substring(0, i) + (Number(digitos.charAt(i)) + 1)) +
           "0".repeat(digitos.length - 1 - i);
}

// The shortest decimal text of a non-negative number, written without an
// exponent (1e-7 gives "0.0000001"), so that its digits can be rounded.
function textodecimal(numero) {
    var texto = String(numero);
    var e = texto.indexOf("e");
    if (e < 0)
        return texto;
    var mantisa = texto.substring(0, e);
    var punto = mantisa.indexOf(".");
    var digitos = strip(mantisa, ".");
    var enteros = (punto < 0 ? mantisa.length : punto) + Number(texto.substring(e + 1));
    if (enteros <= 0)
        return "0." + "0".repeat(-enteros) + digitos;
    if (enteros >= digitos.length)
        return digitos + "0".repeat(enteros - digitos.length);
    return digitos.substring(0, enteros) + "." + digitos.substring(enteros);
}

// number (a number or its text) as text in the picture format: optional "$",
// "0"/"#" digits with optional ",", optional "." and decimals, optional "%".
// Rounds half up on the decimal text, so 1.005 gives 1.01 with "0.00".
// Returns null when number is not a number.
function formatNumber(number, format) {
    if (!esnumerico(number))
        return null;
    var miles = format.indexOf(",") >= 0;
    var porcentaje = format.indexOf("%") >= 0;
    var moneda = format.indexOf("$") >= 0;

    var valor = Number(number);
    var negativo = valor < 0;
    valor = Math.abs(valor);
    if (porcentaje)
        valor *= 100;
    format = strip(format, ",%$");

    var texto = textodecimal(valor);
    var punto = texto.indexOf(".");
    var L = punto < 0 ? texto : texto.substring(0, punto);
    var R = punto < 0 ? "" : texto.substring(punto + 1);
    punto = format.indexOf(".");
    var FL = punto < 0 ? format : format.substring(0, punto);
    var FR = punto < 0 ? "" : format.substring(punto + 1);

    var acarreo = false;
    if (R.length > FR.length) {
        var descartado = R.charAt(FR.length);
        R = R.substring(0, FR.length);
        if (descartado >= "5")
            R = sumauno(R);
        if (R.length > FR.length) {
            R = R.substring(1);
            L = sumauno(L);
            acarreo = true;
        }
    } else {
        for (var i = R.length; R.length < FR.length && FR.charAt(i) == "0"; i++)
            R += "0";
    }

    FL = strip(FL, "#");
    if (!acarreo)
        while (L.length < FL.length)
            L = "0" + L;
    if (miles)
        L = separate(L, ",");

    var resultado = R == "" ? L : L + "." + R;
    if (moneda)
        resultado = "$" + resultado;
    if (porcentaje)
        resultado += "%";
    if (negativo)
        resultado = moneda ? "(" + resultado + ")" : "-" + resultado;
    return resultado;
}

// validaciones: field validation and the recalculation pass.

var c = new atributo();

var MENSAJENUMERICO = "Error:\nLa casilla debe ser numérica y el valor debe ser ingresado sin comas";
var MENSAJEENTERO = "Error:\nLa casilla acepta unicamente valores enteros positivos. Por favor corrija ingresando un valor entero.";
var MENSAJEENBLANCO = "Error:\nLa casilla está en blanco. Por favor llénela";

// Limits of a box or annex cell: the attribute that sets each, when the
// value breaks it, and its message.
var LIMITESLONGITUD = [
    { atributo: "longmax",
      excede: function (valor, limite) { return valor.length > Number(limite); },
      mensaje: function (limite) { return "Error:\nLa longitud de la casilla sobrepasa el máximo de " + limite + " caracteres"; } },
    { atributo: "longmin",
      excede: function (valor, limite) { return valor.length < Number(limite); },
      mensaje: function (limite) { return "Error:\nLa longitud de la casilla está abajo del mínimo de " + limite + " caracteres"; } }
];
var LIMITESVALOR = [
    { atributo: "valormax",
      excede: function (valor, limite) { return Number(valor) > Number(limite); },
      mensaje: function (limite) { return "Error:\nEl valor de la casilla sobrepasa el máximo de " + limite + " "; } },
    { atributo: "valormin",
      excede: function (valor, limite) { return Number(valor) < Number(limite); },
      mensaje: function (limite) { return "Error:\nEl valor de la casilla está abajo del mínimo de " + limite + " "; } }
];

// Runs the function named by a call text of the box table ("calculo_c2010()").
function ejecuta(llamada) {
    return window[llamada.substring(0, llamada.indexOf("("))]();
}

// Index of the box table entry for the field named ID; 0 when there is none.
function pos(ID) {
    for (var i = MINELEMENT; i <= MAXELEMENT; i++)
        if (c[i].id == ID)
            return i;
    return 0;
}

// Applies the box table to the page: read-only, default values, alignment,
// disabled or bold, font size.
function inicial() {
    var periodo = ["dia_ini", "mes_ini", "anio_ini", "dia_fin", "mes_fin", "anio_fin"];
    for (var p = 0; p < periodo.length; p++)
        if (C[periodo[p]])
            C[periodo[p]].style.fontWeight = "bold";
    for (var i = MINELEMENT; i <= MAXELEMENT; i++) {
        var entrada = c[i], campo = C[entrada.id];
        campo.readOnly = entrada.protegido;
        if (strip(campo.value, " ") == "")
            campo.value = entrada.predeterminado;
        if (entrada.tipo == "N")
            campo.style.textAlign = "right";
        else if (entrada.tipo == "A" || entrada.tipo == "E")
            campo.style.textAlign = "center";
        if (entrada.protegido)
            campo.disabled = true;
        else
            campo.style.fontWeight = "bold";
        if (entrada.resaltado)
            campo.style.fontSize = "medium";
    }
    C.c2029.style.fontWeight = "bold";
}

// The recalculation pass: each box, in index order, takes its computed value
// and then its condition; non-zero amounts get two decimals.
function formulas() {
    for (var i = MINELEMENT; i <= MAXELEMENT; i++) {
        var entrada = c[i], campo = casilla(entrada.id);
        if (entrada.formula)
            campo.value = ejecuta(entrada.calculo);
        if (entrada.condicion != "")
            campo.value = ejecuta(entrada.condicion);
        if (Number(campo.value) != 0 && entrada.decimal)
            campo.value = formatNumber(campo.value, FORMATODECIMAL);
    }
}

// Enables the annex cells and the boxes (read-only boxes stay read-only) and
// the period fields the user types.
function habilita() {
    for (var n = 1; n <= ANEXOS; n++)
        for (var r = 1; r <= ANEXO[n]; r++)
            for (var k = 1; k <= maxcol; k++)
                celdaanexo(n, r, k).disabled = false;
    for (var i = MINELEMENT; i <= MAXELEMENT; i++)
        C[c[i].id].disabled = false;
    C.dia_ini.disabled = true;
    C.mes_ini.disabled = false;
    C.anio_ini.disabled = false;
}

// Leaving a box: a refused value is emptied and keeps the focus; an accepted
// one recalculates the form, once per annex index.
function validaciones(field) {
    if (!bientipocontenido(c[pos(field.name)], field)) {
        field.focus();
        field.value = "";
        return;
    }
    for (var k = 0; k <= ANEXOS; k++)
        formulas();
}

// The first limit of the list that the field's value breaks shows its
// message and takes the focus; true when none is broken.
function dentrodelimites(entrada, field, limites) {
    for (var i = 0; i < limites.length; i++) {
        var limite = entrada[limites[i].atributo];
        if (limite !== "" && field.value != "" && limites[i].excede(field.value, limite)) {
            alert(limites[i].mensaje(limite));
            field.focus();
            return false;
        }
    }
    return true;
}

// Gives the field the text; a field already holding it is not written to,
// so that checking a valid form costs the page no style or layout work.
function ponvalor(field, texto) {
    if (field.value !== texto)
        field.value = texto;
}

// True when the field's value fits the type and limits of its entry (a box
// table entry or an annex column entry). Amounts are rewritten with two
// decimals on the way.
function bientipocontenido(entrada, field) {
    switch (entrada.tipo) {
    case "N":
        if (!esnumerico(field.value)) {
            alert(MENSAJENUMERICO);
            field.focus();
            return false;
        }
        if (entrada.decimal && field.value != "")
            ponvalor(field, formatNumber(field.value, FORMATODECIMAL));
        return dentrodelimites(entrada, field, LIMITESVALOR);
    case "A":
        return dentrodelimites(entrada, field, LIMITESLONGITUD);
    case "F":
        if (fecha(field))
            return true;
        break;
    case "E":
        if (/^[0-9]*$/.test(field.value))
            return true;
        alert(MENSAJEENTERO);
        break;
    }
    field.focus();
    return false;
}

// True, after its message, when the field is required and empty.
function requerido(entrada, field) {
    if (field.value != "" || !entrada.requerido)
        return false;
    alert(MENSAJEENBLANCO);
    field.focus();
    return true;
}

// Every box, in table order, must be filled when required and pass its type
// check; the first failure ends the walk (unless the problems are collected).
function formulariovalido() {
    var valido = true;
    for (var i = MINELEMENT; i <= MAXELEMENT && continua(valido); i++) {
        var campo = C[c[i].id];
        if (requerido(c[i], campo) || !bientipocontenido(c[i], campo))
            valido = false;
    }
    return valido;
}

// A rectification needs the amount paid with the rectified declaration.
function valida_c2021() {
    if (C.c2020.value == "" || C.c2021.value != "")
        return true;
    alert("Error:\nUsted ha llenado la casilla \"No. de la declaración que se rectifica\", pero ha dejado vacia la casilla \"Valor ingresado con la declaración que se rectifica\". Por favor corrija el error, llenando la casilla \"Valor ingresado con la declaración que se rectifica\" con el valor correspondiente que debe ser  mayor o igual a cero.");
    C.c2021.focus();
    return false;
}

// A rectification needs a fine above 0.
function valida_c2024() {
    if (C.c2020.value == "")
        return true;
    if (C.c2021.value == "") {
        C.c2021.focus();
        return false;
    }
    if (C.c2024.value == "") {
        alert("Error:\nUsted ha llenado la casilla \"No. de Declaración que se rectifica\" pero ha dejado vacia la casilla \"Multa\". Por favor corrija el error llenando la casilla \"Multa\".");
        C.c2024.focus();
        return false;
    }
    if (Number(C.c2024.value) == 0) {
        alert("Error:\nUsted ha llenado la casilla \"No. de Declaración que se rectifica\" por lo cual la casilla \"Multa\" debe contener un valor mayor a cero. Por favor corrija el error ingresando un valor mayor a cero en la casilla \"Multa\".");
        C.c2024.value = "";
        C.c2024.focus();
        return false;
    }
    return true;
}

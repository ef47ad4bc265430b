// Page functions: browser flag, label changes, period and date checks,
// NIT check.

// The engine offers document.all, though as a falsy collection, so the test
// is for its presence.
var ie = 'all' in document;

// Replaces the inner markup of the element with that id.
function cambiatexto(id, texto) {
    if (ie)
        document.getElementById(id).innerHTML = texto;
}

// The two sides of the tax period: the hidden box holding the whole date,
// the visible day, month and year fields, the day a refused date leaves,
// the field that takes the focus after a wrong day, and the messages for a
// day, month or year that is not a number.
var LADOINICIAL = {
    fecha: "c4", dia: "dia_ini", mes: "mes_ini", anio: "anio_ini",
    diaporomision: "01", focodia: "mes_ini",
    noalfanumerico: ["Error:\nDía inicial inválido. No se aceptan campos alfanuméricos",
                     "Error:\nMes inicial inválido. No se aceptan campos alfanuméricos",
                     "Error:\nAño inicial inválido. No se aceptan campos alfanuméricos"]
};
var LADOFINAL = {
    fecha: "c5", dia: "dia_fin", mes: "mes_fin", anio: "anio_fin",
    diaporomision: "", focodia: "dia_fin",
    noalfanumerico: ["Error:\nDía final inválido. No se aceptan campos alfanuméricos",
                     "Error:\nMes final inválido. No se aceptan campos alfanuméricos",
                     "Error:\nAño final inválido. No se aceptan campos alfanuméricos"]
};

function bisiesto(anio) {
    return anio % 4 == 0 && (anio % 100 != 0 || anio % 400 == 0);
}

// Last day of the month: 28, 29, 30 or 31.
function ultimodia(mes, anio) {
    mes = Number(mes);
    if (mes == 2)
        return bisiesto(Number(anio)) ? 29 : 28;
    if (mes == 4 || mes == 6 || mes == 9 || mes == 11)
        return 30;
    return 31;
}

function vaciaanio(lado) {
    C[lado.anio].value = "";
    C[lado.anio].focus();
}

function vaciames(lado) {
    C[lado.mes].value = "";
    C[lado.mes].focus();
}

function corrigedia(lado) {
    C[lado.dia].value = lado.diaporomision;
    C[lado.focodia].focus();
}

// Rules a complete date must keep, in order; the first broken one shows its
// message and corrects the side.
var REGLASFECHA = [
    { rota: function (dia, mes, anio) { return anio < 2012; },
      mensaje: "Error:\nEn este formulario puede declarar períodos de imposición a partir del año 2012,\nsi desea declarar períodos de imposición de más años de antigüedad utilice el formulario DRN-7317",
      corrige: vaciaanio },
    { rota: function (dia, mes, anio) { return anio > new Date().getFullYear() + 1; },
      mensaje: "Error:\nNo deben declararse períodos de imposición con dos o más años de anticipación.\nPor favor escriba correctamente las casillas “año”",
      corrige: vaciaanio },
    { rota: function (dia, mes, anio) { return mes < 1 || mes > 12; },
      mensaje: "Error:\nEl mes debe estar entre 1 y 12",
      corrige: vaciames },
    { rota: function (dia, mes, anio) { return dia < 1 || dia > 31; },
      mensaje: "Error:\nEl dia debe estar entre 1 y el último día del mes",
      corrige: corrigedia },
    { rota: function (dia, mes, anio) { return ultimodia(mes, anio) == 30 && dia == 31; },
      mensaje: "Error:\nEl último día del mes debe ser 30",
      corrige: corrigedia },
    { rota: function (dia, mes, anio) { return mes == 2 && dia > ultimodia(mes, anio); },
      mensaje: "Error:\nDía incorrecto para este mes",
      corrige: corrigedia },
    { rota: function (dia, mes, anio) { return (mes == 1 || mes == 2) && anio == 2012; },
      mensaje: "Error:\nEn este formulario puede declarar períodos de imposición a partir de marzo 2012,\nsi desea declarar períodos de imposición anteriores utilice el formulario DRN-7317",
      corrige: vaciames }
];

// A day or month with two digits.
function dosdigitos(texto) {
    return texto.length < 2 ? "0" + texto : texto;
}

// A year with four digits: below 90 in this century, otherwise in the last.
function aniocompleto(texto) {
    var siglo = Number(texto) < 90 ? "2000" : "1900";
    return siglo.substring(0, 4 - texto.length) + texto;
}

// A date that is not day, month and year: asks for what is missing, or
// empties month and year when they are there but wrong.
function fechaincompleta(lado) {
    C[lado.dia].value = lado.diaporomision;
    if (C[lado.mes].value == "") {
        alert("Error:\nLa fecha no ha sido completada. Por favor complétela ingresando la casilla mes");
        C[lado.mes].focus();
    } else if (C[lado.anio].value == "") {
        alert("Error:\nLa fecha no ha sido completada. Por favor complétela ingresando la casilla año");
        C[lado.anio].focus();
    } else {
        alert("Error:\nLa fecha no es válida. Por favor escríbala correctamente.");
        C[lado.anio].value = "";
        C[lado.mes].value = "";
        C[lado.mes].focus();
    }
}

// Checks the date of c4 (start) or c5 (end), writes it back as dd/mm/yyyy
// and into the side's visible fields; true when it is valid for this form.
function fecha(field) {
    var lado = field.name == LADOINICIAL.fecha ? LADOINICIAL : LADOFINAL;
    var partes = /^([0-9]{1,2})\/?([0-9]{1,2})\/?([0-9]{1,4})$/.exec(field.value);
    if (!partes) {
        fechaincompleta(lado);
        return false;
    }
    var dia = dosdigitos(partes[1]), mes = dosdigitos(partes[2]), anio = aniocompleto(partes[3]);
    field.value = dia + "/" + mes + "/" + anio;
    C[lado.dia].value = dia;
    C[lado.mes].value = mes;
    C[lado.anio].value = anio;
    for (var i = 0; i < REGLASFECHA.length; i++) {
        if (REGLASFECHA[i].rota(Number(dia), Number(mes), Number(anio))) {
            alert(REGLASFECHA[i].mensaje);
            REGLASFECHA[i].corrige(lado);
            return false;
        }
    }
    return true;
}

// The first of the side's day, month and year that holds something other
// than a number shows its message, is emptied and takes the focus.
function rechazaalfanumerico(lado) {
    var campos = [lado.dia, lado.mes, lado.anio];
    for (var i = 0; i < campos.length; i++) {
        var campo = C[campos[i]];
        if (campo.value != "" && !esnumerico(campo.value)) {
            alert(lado.noalfanumerico[i]);
            campo.value = "";
            campo.focus();
            return;
        }
    }
}

function ladocompleto(lado) {
    return C[lado.dia].value != "" && C[lado.mes].value != "" && C[lado.anio].value != "";
}

function textofecha(lado) {
    return C[lado.dia].value + "/" + C[lado.mes].value + "/" + C[lado.anio].value;
}

// The period ends on the last day of its start month.
function completafechafinal() {
    C.dia_fin.value = ultimodia(C.mes_ini.value, C.anio_ini.value);
    C.mes_fin.value = C.mes_ini.value;
    C.anio_fin.value = C.anio_ini.value;
}

// Leaving a period field: checks the start, derives the end from it (or
// clears the end while the start is incomplete), then checks the end.
function validacionesfecha() {
    rechazaalfanumerico(LADOINICIAL);
    if (ladocompleto(LADOINICIAL)) {
        C.c4.value = textofecha(LADOINICIAL);
        if (fecha(C.c4))
            completafechafinal();
    } else {
        C.c4.value = "";
        C.c5.value = "";
        C.dia_fin.value = "";
        C.mes_fin.value = "";
        C.anio_fin.value = "";
    }
    rechazaalfanumerico(LADOFINAL);
    if (ladocompleto(LADOFINAL)) {
        C.c5.value = textofecha(LADOFINAL);
        fecha(C.c5);
    }
}

// True when both dates are valid and cover one whole calendar month.
function periodovigente() {
    if (!fecha(C.c4) || !fecha(C.c5))
        return false;
    if (C.mes_ini.value != C.mes_fin.value || C.anio_ini.value != C.anio_fin.value) {
        alert("Error:\nEl Periodo a declarar que Ud. ingreso no corresponde al periodo para el que aplica este formulario");
        C.dia_ini.focus();
        return false;
    }
    var inicio = Number(C.dia_ini.value), fin = Number(C.dia_fin.value);
    if (inicio > fin) {
        alert("Error:\nEl periodo de imposición final no puede ser menor al inicial");
        C.dia_fin.focus();
        return false;
    }
    if (inicio != 1 || fin != ultimodia(C.mes_fin.value, C.anio_fin.value)) {
        alert("Error:\nEl periodo declarado no es válido. Solo se acepta meses completos.\nEs decir que deben comenzar con día uno (1) y terminar el último día calendario del mismo mes y del mismo año");
        C.dia_ini.focus();
        return false;
    }
    return true;
}

// A NIT holding characters the declaration XML would take for markup is
// reported, emptied and given the focus; true when it holds none.
function nitsinmarcas() {
    if (!/[&<>"']/.test(C.c2.value))
        return true;
    alert("Error:\nEl NIT contiene caracteres no permitidos (&, <, >, comillas).\nPor favor ingrese el nit nuevamente");
    C.c2.value = "";
    C.c2.focus();
    return false;
}

// Cleans the NIT in c2 (blanks, leading zeros, hyphens) and tests its check
// digit. A 13-character NIT is refused and left as typed.
function nitsinguion() {
    if (!nitsinmarcas())
        return;
    var nit = strip(C.c2.value, " ").replace(/^0+(?=[^0])/, "");
    nit = strip(nit, "-");
    if (nit.length == 13) {
        alert("Error:\nEl NIT ingresado no es un nit autorizado.\nPor favor ingrese el nit nuevamente");
        C.c2.select();
        return;
    }
    ponvalor(C.c2, nit);
    if (!nitvalido(C.c2)) {
        alert("Error:\nEl NIT posee un dígito verificador inválido.\nPor favor escríbalo correctamente");
        C.c2.select();
    }
}

// True when the field's NIT ends in its check digit (modulo 11, "K" for 10);
// the NIT is put in upper case. An empty NIT passes.
function nitvalido(field) {
    if (field.value == "")
        return true;
    if (Number(field.value) == 0)
        return false;
    field.value = field.value.toUpperCase();
    var nit = field.value, n = nit.length, cuerpo = nit.substring(0, n - 1);
    var suma = 0;
    for (var i = 0; i < cuerpo.length; i++) {
        if (!/[0-9]/.test(cuerpo.charAt(i)))
            return false;
        suma += Number(cuerpo.charAt(i)) * (n - i);
    }
    var r = 11 - suma % 11;
    var esperado = r == 10 ? "K" : r == 11 ? "0" : String(r);
    return nit == cuerpo + esperado;
}

// Cell values of the brand annex while rows are added to it, six per row.
var casillas = new Array();

// ---- Brand annex: row builders ----

// The brand catalogue, in its order; the build writes the brands here from
// res/marcas.txt, the list the host's catalogue is made from too.
var catalogomarcas = [
// @BRAND_CATALOGUE@
];

// The options of a brand selector: the empty option, then every brand as
// both value and text.
function opcionesmarca(marcas) {
    var html = "<option value=''></option>";
    for (var i = 0; i < marcas.length; i++)
        html += "<option value='" + marcas[i] + "'>" + marcas[i] + "</option>";
    return html;
}

var OPCIONESMARCA = opcionesmarca(catalogomarcas);

// Name (and id) of the cell of annex n, row r, column k.
function nombrecelda(n, r, k) {
    return "f" + n + r + "c" + k;
}

// Leave handler of a cell of annex n, row r, column k: the cell's own check,
// then what its column does (minimum base, format, totals).
function manejadorcelda(n, r, k) {
    var validacion = "validacionesobjetoanexo(this.name," + n + ",poscol(this.name));";
    switch (k) {
    case 1: return validacion;
    case 2: return validacion + " calculaBaseImponible(" + r + "," + n + "); formateacasilla(this)";
    case 3: return validacion + " verificaBaseImponible(" + r + "," + n + "); formateacasilla2(this)";
    default: return validacion + " formateacasilla(this); actualizaTotales()";
    }
}

// A brand selector holding the options markup `opciones`, every brand when
// none is given.
function selectormarca(nombre, manejador, opciones) {
    return "<select name='" + nombre + "' id='" + nombre + "' onblur='" + manejador + "'>" +
           (opciones === undefined ? OPCIONESMARCA : opciones) + "</select>";
}

// The brand options as nodes, parsed from OPCIONESMARCA on first use. Rows
// added to an annex get copies of them: copying nodes costs far less than
// parsing the options of every selector again.
var NODOSMARCA = null;

function copiaopcionesmarca() {
    if (!NODOSMARCA) {
        var selector = document.createElement("select");
        selector.innerHTML = OPCIONESMARCA;
        NODOSMARCA = document.createDocumentFragment();
        while (selector.firstChild)
            NODOSMARCA.appendChild(selector.firstChild);
    }
    return NODOSMARCA.cloneNode(true);
}

function campoanexo(nombre, manejador) {
    return "<input type='text' name='" + nombre + "' id='" + nombre + "' size='9' onblur='" +
           manejador + "'>";
}

// Row r of annex n as the blank form builds it: number, brand, five amounts
// and the hidden columns 7 to 9. The brand is checked against the other rows.
// `opciones` is the options markup of the brand selector, as for selectormarca.
function renglonanexo(n, r, opciones) {
    var html = "<tr><td width='3%'>" + r + "</td><td width='25'>" +
               selectormarca(nombrecelda(n, r, 1), manejadorcelda(n, r, 1) + " validamarca(this);",
                             opciones) +
               "</td>";
    for (var k = 2; k <= maxcol; k++) {
        var manejador = manejadorcelda(n, r, k) + (k <= 3 ? ";" : "");
        html += "<td width='15%'>" + campoanexo(nombrecelda(n, r, k), manejador) + "</td>";
    }
    for (var oculta = 7; oculta <= 9; oculta++)
        html += "<input type='hidden' name='" + nombrecelda(n, r, oculta) + "' id='" +
                nombrecelda(n, r, oculta) + "'>";
    return html + "</tr>";
}

// The whole annex n of the blank form with `renglones` rows.
function tablaanexo(n, renglones) {
    var filas = [];
    for (var r = 1; r <= renglones; r++)
        filas.push(renglonanexo(n, r));
    return "<table cellpadding='1' border='2' width='100%'>" + filas.join("") + "</table>";
}

// Rows primero to ultimo of annex n as renglonanexo writes them, as nodes in a
// fragment: the rows are parsed without their brand options, and each brand
// selector is given a copy of them.
function renglonesanexo(n, primero, ultimo) {
    var filas = [];
    for (var r = primero; r <= ultimo; r++)
        filas.push(renglonanexo(n, r, ""));
    var tabla = document.createElement("table");
    tabla.innerHTML = filas.join("");
    var fragmento = document.createDocumentFragment();
    var cuerpo = tabla.tBodies[0];
    while (cuerpo && cuerpo.firstChild) {
        var fila = cuerpo.firstChild;
        fila.getElementsByTagName("select")[0].appendChild(copiaopcionesmarca());
        fragmento.appendChild(fila);
    }
    return fragmento;
}

// Appends rows primero to ultimo to annex n of the blank form, the table in
// the block "recuadro", after the rows it holds.
function agregaranexo(n, primero, ultimo) {
    var tabla = document.getElementById("recuadro").getElementsByTagName("table")[0];
    (tabla.tBodies[0] || tabla.createTBody()).appendChild(renglonesanexo(n, primero, ultimo));
}

// Appends `cantidad` rows to the table body "cuerpo" + n of a regenerated
// page, after the rows it holds; existing rows and values stay untouched.
function agregar(n, cantidad) {
    var cuerpo = document.getElementById("cuerpo" + n);
    var primero = cuerpo.rows.length + 1, fin = primero + cantidad;
    ANEXO[n] = fin - 1;
    for (var r = primero; r < fin; r++) {
        var fila = cuerpo.insertRow(-1);
        fila.insertCell(-1).innerHTML = r;
        var marca = fila.insertCell(-1);
        marca.innerHTML = selectormarca(nombrecelda(n, r, 1), manejadorcelda(n, r, 1), "");
        marca.firstChild.appendChild(copiaopcionesmarca());
        for (var k = 2; k <= VMAXCOL[n]; k++)
            fila.insertCell(-1).innerHTML = campoanexo(nombrecelda(n, r, k), manejadorcelda(n, r, k));
    }
}

// ---- Draft: what the host keeps on disk while the form is filled ----

// The form number, the annex row count, then the name and value of every
// field of the form (buttons aside), in the order of the page.
function valoresborrador() {
    var valores = [C.c1.value, ANEXO[1]];
    for (var i = 0; i < C.elements.length; i++) {
        var campo = C.elements[i];
        if (campo.name && campo.type != "button")
            valores.push(campo.name, campo.value);
    }
    return valores;
}

// Gives the form the number `numero`, in c1 and where the header prints it.
function cambianumero(numero) {
    var anterior = C.c1.value;
    C.c1.value = numero;
    var textos = document.createTreeWalker(C.c1.parentNode, NodeFilter.SHOW_TEXT);
    while (textos.nextNode())
        if (textos.currentNode.data == anterior)
            textos.currentNode.data = numero;
}

// Grows annex n to `renglones` rows: rows appended on a regenerated page, the
// annex written anew on the blank form. Unlike the page's own button, without
// its checks, its focus or the values it keeps: a draft brings its own.
function renglonesborrador(n, renglones) {
    if (document.getElementById("cuerpo" + n)) {
        agregar(n, renglones - ANEXO[n]);
        return;
    }
    ANEXO[n] = renglones;
    cambiatexto("recuadro", tablaanexo(n, renglones));
    inicialanexo();
    inicial();
}

// Puts a kept draft back: its form number, the annex grown to its row count,
// the value of every field it names, and the boxes recomputed. No message is
// shown on the way: the values were in the form once already. Returns the
// annex row count.
function restauraborrador(numero, renglones, valores) {
    var avisa = window.alert;
    window.alert = function () {};
    try {
        cambianumero(numero);
        if (renglones > ANEXO[1])
            renglonesborrador(1, renglones);
        var campos = {};
        for (var j = 0; j < C.elements.length; j++)
            if (C.elements[j].name && C.elements[j].type != "button")
                campos[C.elements[j].name] = C.elements[j];
        for (var i = 0; i + 1 < valores.length; i += 2)
            if (campos.hasOwnProperty(valores[i]))
                campos[valores[i]].value = valores[i + 1];
        formulas();
        // A recomputed amount is shown as the draft shows it ("150" where
        // the annex totals left it unformatted).
        for (var k = 0; k + 1 < valores.length; k += 2) {
            var campo = campos[valores[k]];
            if (campo && campo.value != valores[k + 1] && valores[k + 1] != "" &&
                esnumerico(valores[k + 1]) && Number(campo.value) == Number(valores[k + 1]))
                campo.value = valores[k + 1];
        }
    } finally {
        window.alert = avisa;
    }
    return ANEXO[1];
}

// ---- Brand rows brought from a file ----

// The texts `accion` gives alert(), which shows nothing meanwhile.
function avisosde(accion) {
    var avisos = [], avisa = window.alert;
    window.alert = function (texto) { avisos.push(String(texto)); };
    try {
        accion();
    } finally {
        window.alert = avisa;
    }
    return avisos;
}

// A form message as the reason a row is refused: one line, without "Error:".
function motivo(mensaje) {
    return mensaje.replace(/^Error:\n/, "").replace(/\n/g, " ");
}

// The format each amount column keeps: the base two decimals, the rest four.
function formatocolumna(k) {
    return k == 3 ? FORMATODECIMAL : "0.0000";
}

// Why the row v (by column, 1 to 6) cannot be typed into the form, or "":
// the checks of each cell's column, the amounts kept as the column shows
// them, the rules every row keeps, the lowest base.
function motivorenglon(v) {
    for (var k = 2; k <= maxcol; k++) {
        if (v[k] == "")
            continue;
        var avisos = avisosde(function () {
            bientipocontenido(a[k], { value: v[k], focus: function () {} });
        });
        if (avisos.length)
            return motivo(avisos[0]);
        if (Number(formatNumber(v[k], formatocolumna(k))) != Number(v[k]))
            return "“" + v[k] + "” no cabe en la casilla, que guarda " +
                   (formatocolumna(k).length - 2) + " decimales";
    }
    for (var i = 0; i < REGLASRENGLON.length; i++)
        if (REGLASRENGLON[i].rota(v))
            return motivo(REGLASRENGLON[i].mensaje);
    if (v[2] != "" && v[3] != "" && Number(v[3]) < baseminima(v[2]))
        return motivo(MENSAJEBASEMINIMA);
    return "";
}

// The rows `renglones` (each the six cells of a row) refused, as pairs of
// the row's index and the reason.
function revisamarcas(renglones) {
    var rechazos = [], vistas = {};
    for (var i = 0; i < renglones.length; i++) {
        var v = [""].concat(renglones[i]);
        var razon = vistas.hasOwnProperty(v[1]) ? motivo(MENSAJEMARCAREPETIDA) : motivorenglon(v);
        vistas[v[1]] = true;
        if (razon != "")
            rechazos.push([i, razon]);
    }
    return rechazos;
}

// Checks `renglones` and, when `escribe` and none is refused, puts them in
// place of the annex's rows, each cell then handled as when it is left
// (lowest base, format) and the form recomputed, the totals shown as typing
// leaves them. Returns the refusals of revisamarcas.
function importamarcas(renglones, escribe) {
    var rechazos = revisamarcas(renglones);
    if (rechazos.length || !escribe)
        return rechazos;
    if (renglones.length > ANEXO[1]) {
        // Grown as by the page's own "Agregar renglones".
        C.renglones1.value = renglones.length - ANEXO[1];
        (document.getElementById("cuerpo1") ? anexa : anexahta)(C.renglones1, 1);
    }
    for (var r = 1; r <= ANEXO[1]; r++)
        for (var k = 1; k <= maxcol; k++)
            celdaanexo(1, r, k).value = r <= renglones.length ? renglones[r - 1][k - 1] : "";
    for (var f = 1; f <= renglones.length; f++) {
        calculaBaseImponible(f, 1);
        formateacasilla2(celdaanexo(1, f, 3));
        for (var c = 4; c <= maxcol; c++)
            formateacasilla(celdaanexo(1, f, c));
    }
    formulas();
    actualizaTotales();
    return rechazos;
}

// The six cells of every annex row that holds something, in order.
function renglonesmarcas() {
    var renglones = [];
    for (var r = 1; r <= ANEXO[1]; r++) {
        var v = valoresrenglon(1, r).slice(1);
        if (v.some(function (valor) { return valor != ""; }))
            renglones.push(v);
    }
    return renglones;
}

// ---- Problems: all that stops "Generar", seen at once ----

// While the problems of the declaration are collected: whether the checks
// run now stop "Generar" (`detienen`); null the rest of the time.
var recogiendo = null;

// Whether a walk of checks goes on after a failure: only while the problems
// are collected, so that every failure is found and not only the first.
function continua(valido) {
    return valido || recogiendo !== null;
}

// Runs the checks in order; true when all pass. The first that fails ends
// the run, unless the problems are collected.
function pasan(chequeos) {
    var todos = true;
    for (var i = 0; i < chequeos.length && continua(todos); i++)
        if (!chequeos[i]())
            todos = false;
    return todos;
}

// Runs `accion` with the form's checks reporting into a list instead of
// alert(): each message with the field the check then sends the focus to
// (or selects), and whether it stops "Generar" (recogiendo.detienen at the
// time). Nothing takes the focus meanwhile, and every field is left holding
// the value it had, the caret of the one being typed in where it was.
// Returns the list.
function recogeproblemas(accion) {
    var campos = C.elements, valores = [];
    for (var i = 0; i < campos.length; i++)
        valores.push(campos[i].value);
    var activo = document.activeElement, seleccion = null;
    if (activo && typeof activo.selectionStart == "number")
        seleccion = [activo.selectionStart, activo.selectionEnd, activo.selectionDirection];
    var avisa = window.alert, enfoca = HTMLElement.prototype.focus, selecciona = HTMLInputElement.prototype.select;
    var hallados = [];
    var senala = function () {
        var ultimo = hallados[hallados.length - 1];
        if (ultimo && !ultimo.campo)
            ultimo.campo = this;
    };
    recogiendo = { detienen: true };
    window.alert = function (mensaje) {
        hallados.push({ mensaje: String(mensaje), campo: null, detiene: recogiendo.detienen });
    };
    HTMLElement.prototype.focus = senala;
    HTMLInputElement.prototype.select = senala;
    try {
        accion();
    } finally {
        recogiendo = null;
        window.alert = avisa;
        HTMLElement.prototype.focus = enfoca;
        HTMLInputElement.prototype.select = selecciona;
        for (var j = 0; j < campos.length; j++) {
            if (campos[j].value === valores[j])
                continue;
            campos[j].value = valores[j];
            if (campos[j] === activo && seleccion)  // the caret stays where the person put it
                activo.setSelectionRange(seleccion[0], seleccion[1], seleccion[2]);
        }
    }
    return hallados;
}

// Every problem of the declaration, as { campo, mensaje, detiene }: first
// those that stop "Generar", in the order it checks them (the rectification
// boxes, the annex rows, the period, every box, the NIT's characters), then
// those the form reports without stopping it: the NIT's check digit, a brand
// chosen in two rows, a base below its minimum. `campo` names the field the
// form sends the person to. A message on a hidden box is left out (the
// period's own check names the visible field), and so is a message repeated
// on the same field.
function problemasdeclaracion() {
    var hallados = recogeproblemas(function () {
        pasan([valida_c2021, valida_c2024, anexoscompletos, declaracionvalida]);
        recogiendo.detienen = false;
        nitsinguion();
        var cuentas = cuentamarcas();
        for (var r = 1; r <= ANEXO[1]; r++) {
            validamarca(celdaanexo(1, r, 1), cuentas);
            verificaBaseImponible(r, 1);
        }
    });
    var problemas = [], vistos = {};
    for (var i = 0; i < hallados.length; i++) {
        var campo = hallados[i].campo, nombre = campo ? campo.name || campo.id : "";
        var clave = nombre + "\n" + hallados[i].mensaje;
        if ((campo && campo.type == "hidden") || vistos.hasOwnProperty(clave))
            continue;
        vistos[clave] = true;
        problemas.push({ campo: nombre, mensaje: hallados[i].mensaje, detiene: hallados[i].detiene });
    }
    return problemas;
}

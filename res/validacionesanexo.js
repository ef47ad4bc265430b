// validacionesanexo: brand annex checks and the generation of the declaration.

// ---- Form number ----

// The form number, box c1: the clock's hour, minute and second, then a random
// number from 0 to 99, each as two digits. A number already there is kept, so
// a form keeps one number for its whole life.
function numera_formulario() {
    if (C.c1.value != "")
        return;
    function dosdigitos(numero) {
        return (numero < 10 ? "0" : "") + numero;
    }
    var ahora = new Date();
    C.c1.value = dosdigitos(ahora.getHours()) + dosdigitos(ahora.getMinutes())
        + dosdigitos(ahora.getSeconds()) + dosdigitos(Math.floor(Math.random() * 100));
}

// ---- Brand annex ----

var a = new atributoanexo();

var MENSAJEMAXIMORENGLONES = "Error:\nUsted ha solicitado un número de renglones superior al máximo permitido.\nEl máximo permitido es ";
var MENSAJEBASEMINIMA = "Error:\nLa Base Imponible es menor al mínimo aceptable.\nPor favor corrija el error";
var MENSAJEMARCAREPETIDA = "Error:\nUsted a ingresado dos veces la misma marca, por favor verifique que los datos que ingresó en la columna Marcas y Presentación, sean los correctos.";
var MENSAJEPRECIOCERO = "Error:\nLa casilla “Precio sugerido” debe contener un valor mayor a cero.\nPor favor corrija el error";
var MENSAJEDEDUCCION = "Error:\nUsted ha declarado una deducción y al menos una de las casillas “Marca” y “Precio sugerido al consumidor” ha quedado en blanco.\nPor favor complete la casilla en blanco";
var MENSAJEMARCAENBLANCO = "Error:\nLa casilla “Marca” ha quedado en blanco.\nPor favor complete la casilla en blanco";

// The cell of annex n, row r, column k, found by its id, which is its name:
// a look-up by id costs a fraction of one among the form's named fields.
function celdaanexo(n, r, k) {
    return document.getElementById(nombrecelda(n, r, k));
}

// Load handler of the blank form: builds the first rows of the annex.
function inicializa() {
    C.renglones1.value = ANEXOSINICIALES;
    anexahta(C.renglones1, 1);
}

// The row count asked for in `campo`, or 0 when the request is refused. The
// count must be a whole number above 0, else the field is emptied (with the
// number message when it is not a number at all); added to the rows of
// annex n it must not pass `maximo`.
function renglonespedidos(campo, n, maximo) {
    var valor = campo.value;
    var numerico = esnumerico(valor);
    if (valor != "" && !numerico)
        alert(MENSAJENUMERICO);
    var cantidad = Number(valor);
    if (valor == "" || !numerico || !(cantidad > 0) || Math.floor(cantidad) != cantidad) {
        campo.value = "";
        return 0;
    }
    campo.focus();
    if (cantidad + ANEXO[n] > maximo) {
        alert(MENSAJEMAXIMORENGLONES + maximo + " renglones.");
        return 0;
    }
    return cantidad;
}

// Confirms every annex, records the request for annex n and enables the
// form, before rows are added.
function preparasolicitud(n, cantidad) {
    for (var k = 1; k <= ANEXOS; k++)
        confirma(k);
    C["nrenglon" + n].value = cantidad;
    C["trenglon" + n].value = ANEXO[n];
    habilita();
}

// "Agregar renglones" on the blank form: the annex is rebuilt with more rows.
function anexahta(field, n) {
    var cantidad = renglonespedidos(field, n, MAXANEXOS);
    if (cantidad == 0)
        return;
    preparasolicitud(n, cantidad);
    reconstruyeanexo(n);
}

// "Agregar renglones" on a regenerated page: rows are appended to its table body.
function anexa(field, n) {
    var cantidad = renglonespedidos(field, n, VMAXANEXOS[n]);
    if (cantidad == 0)
        return;
    preparasolicitud(n, cantidad);
    agregar(n, cantidad);
}

// Adds the rows asked for to annex n, the table in the block "recuadro"
// (written first when the annex has no rows yet). The rows there were keep
// the values of columns 1 to 6 and are otherwise left as new rows are.
function reconstruyeanexo(n) {
    var pedidos = Number(C["nrenglon" + n].value);
    var anteriores = ANEXO[n];
    guardacasillas(n, anteriores);
    renuevarenglones(n, anteriores);
    ANEXO[n] = anteriores + pedidos;
    if (anteriores == 0)
        cambiatexto("recuadro", tablaanexo(n, 0));
    agregaranexo(n, anteriores + 1, ANEXO[n]);
    inicialanexo();
    inicial();
    if (ANEXO[n] > ANEXOSINICIALES)
        C["botonanexo" + n].focus();
    restauracasillas(n, anteriores);
    C["renglones" + n].value = "";
}

// Takes out of the markup of rows 1 to `renglones` of annex n what a copy of
// the form or a draft put back wrote there (values, chosen brands) and their
// inline style, which inicialanexo writes again: the markup copy then lists
// their attributes in the order of new rows, and the hidden columns are
// empty as in new rows.
function renuevarenglones(n, renglones) {
    for (var r = 1; r <= renglones; r++) {
        var fila = celdaanexo(n, r, 1).closest("tr");
        var campos = fila.querySelectorAll("input, select");
        for (var i = 0; i < campos.length; i++) {
            campos[i].removeAttribute("value");
            campos[i].removeAttribute("style");
        }
        var elegidas = fila.querySelectorAll("option[selected]");
        for (var j = 0; j < elegidas.length; j++)
            elegidas[j].removeAttribute("selected");
    }
}

function guardacasillas(n, renglones) {
    casillas = new Array();
    for (var r = 1; r <= renglones; r++)
        for (var k = 1; k <= maxcol; k++)
            casillas[(r - 1) * maxcol + (k - 1)] = celdaanexo(n, r, k).value;
}

function restauracasillas(n, renglones) {
    for (var r = 1; r <= renglones; r++)
        for (var k = 1; k <= maxcol; k++)
            celdaanexo(n, r, k).value = casillas[(r - 1) * maxcol + (k - 1)];
}

// Applies the annex column table to the cells: read-only, default value,
// alignment, disabled or bold.
function inicialanexo() {
    for (var n = 1; n <= ANEXOS; n++)
        for (var r = 1; r <= ANEXO[n]; r++)
            for (var k = 1; k <= maxcol; k++) {
                var columna = a[k], celda = celdaanexo(n, r, k);
                celda.readOnly = columna.protegido;
                if (celda.value == "")
                    celda.value = columna.predeterminado;
                celda.style.textAlign = columna.tipo == "N" ? "right" : "left";
                if (columna.protegido)
                    celda.disabled = true;
                else
                    celda.style.fontWeight = "bold";
            }
}

// The column of a cell name: the digits after the first "c" ("f112c3" gives "3").
function poscol(name) {
    return name.substring(name.indexOf("c") + 1);
}

// The row of a cell name of annex n: the digits between the first "f" and
// the next "c", without the leading annex number ("f112c3" gives "12").
function posfila(name, n) {
    var fila = "", anexoquitado = false;
    for (var i = name.indexOf("f") + 1; i < name.length && name.charAt(i) != "c"; i++) {
        fila += name.charAt(i);
        if (!anexoquitado && fila == String(n)) {
            fila = "";
            anexoquitado = true;
        }
    }
    return fila;
}

// Leaving an annex cell: a cell typed while an earlier row is incomplete is
// emptied; otherwise it is checked with its column's entry and the form is
// recalculated, or, refused, emptied and given the focus. An accepted cell
// stays, but its row is reported when it breaks a rule of its own (a taxed
// row with no brand).
function validacionesobjetoanexo(name, n, col) {
    var celda = C[name], renglon = Number(posfila(name, n));
    if (celda.value == "")
        return;
    if (renglonesvacios(renglon, n)) {
        celda.value = "";
        return;
    }
    if (!requerido(a[col], celda) && bientipocontenido(a[col], celda)) {
        formulas();
        reglarota(valoresrenglon(n, renglon), n, renglon, true);
        return;
    }
    celda.value = "";
    celda.focus();
}

// Rules every row before the one being filled must keep, in order: which
// cell of the row takes the focus when the rule is broken, and the message.
// Each rule looks at the row's values by column (valoresrenglon); a rule
// marked `propia` holds for the row being filled too.
var REGLASRENGLON = [
    { rota: function (v) {
          return precionulo(v[2]) && [1, 3, 4, 5, 6].some(function (k) { return v[k] != ""; });
      },
      foco: function (v) { return 2; },
      mensaje: MENSAJEPRECIOCERO },
    { rota: function (v) {
          return v[2] == "" && (v[1] != "" || v[4] != "");
      },
      foco: function (v) { return 2; },
      mensaje: "Error:\nLa casilla “Precio sugerido” ha quedado en blanco.\nPor favor complete la casilla en blanco" },
    { rota: function (v) {
          return v[4] == "" && v[5] == "" && v[6] == "" && (v[1] != "" || v[2] != "");
      },
      foco: function (v) { return 4; },
      mensaje: "Error:\nAl menos una de las casillas de “Fabricados” y “Deducciones A y B” ha quedado en blanco.\nPor favor complete la casilla en blanco" },
    { rota: function (v) {
          return v[5] != "" && (v[1] == "" || v[2] == "");
      },
      foco: function (v) { return v[1] == "" ? 1 : 2; },
      mensaje: MENSAJEDEDUCCION },
    { rota: function (v) {
          return v[6] != "" && (v[1] == "" || v[2] == "");
      },
      foco: function (v) { return v[1] == "" ? 1 : 2; },
      mensaje: MENSAJEDEDUCCION },
    { rota: function (v) {
          return v[1] == "" && v[2] != "" && v[4] != "";
      },
      foco: function (v) { return 1; },
      mensaje: MENSAJEMARCAENBLANCO,
      propia: true }
];

// The values of columns 1 to 6 of row r of annex n, by column number.
function valoresrenglon(n, r) {
    var valores = [];
    for (var k = 1; k <= maxcol; k++)
        valores[k] = celdaanexo(n, r, k).value;
    return valores;
}

// True, after its message and with the focus on it, when one of the rows 1
// to row - 1 of annex n is incomplete.
function renglonesvacios(row, n) {
    var vacios = false;
    for (var r = 1; r < row && continua(!vacios); r++)
        if (reglarota(valoresrenglon(n, r), n, r, false))
            vacios = true;
    return vacios;
}

// True, after its message and with the focus where the rule puts it, when
// row r of annex n (its values by column) breaks one of the rules; with
// `propias`, only the rules a row must keep while it is being filled.
function reglarota(valores, n, r, propias) {
    var rota = false;
    for (var i = 0; i < REGLASRENGLON.length && continua(!rota); i++) {
        var regla = REGLASRENGLON[i];
        if ((!propias || regla.propia) && regla.rota(valores)) {
            alert(regla.mensaje);
            celdaanexo(n, r, regla.foco(valores)).focus();
            rota = true;
        }
    }
    return rota;
}

// True when the price is a number that, with the four decimals it is shown
// with, is 0.
function precionulo(precio) {
    return precio != "" && esnumerico(precio) && Number(formatNumber(precio, "0.0000")) == 0;
}

// True when the price of row r of annex n is a number that, with the four
// decimals it is shown with, is 0.
function preciocero(n, r) {
    return precionulo(celdaanexo(n, r, 2).value);
}

// Leaving the price: a price of 0 is refused, emptied and given the focus;
// an empty base takes the minimum; a base below it is reported and raised to
// it. The price gets four decimals.
function calculaBaseImponible(row, n) {
    var precio = celdaanexo(n, row, 2), base = celdaanexo(n, row, 3);
    if (precio.value == "")
        return;
    if (preciocero(n, row)) {
        alert(MENSAJEPRECIOCERO);
        precio.value = "";
        precio.focus();
        return;
    }
    var minimo = baseminima(precio.value);
    if (base.value == "") {
        base.value = minimo;
    } else if (Number(base.value) < minimo) {
        alert(MENSAJEBASEMINIMA);
        base.value = minimo;
        base.focus();
    }
    formateacasilla(precio);
}

// Leaving the base: a base below the price's minimum is reported and keeps
// the focus, unchanged. The base gets two decimals.
function verificaBaseImponible(row, n) {
    var precio = celdaanexo(n, row, 2), base = celdaanexo(n, row, 3);
    if (precio.value == "")
        return;
    if (Number(base.value) < baseminima(precio.value)) {
        alert(MENSAJEBASEMINIMA);
        base.focus();
    }
    formateacasilla2(base);
}

function formateacasilla(cell) {
    if (cell.value != "")
        ponvalor(cell, formatNumber(cell.value, "0.0000"));
}

function formateacasilla2(cell) {
    if (cell.value != "")
        ponvalor(cell, formatNumber(cell.value, FORMATODECIMAL));
}

// How many rows of the brand annex choose each brand, by brand.
function cuentamarcas() {
    var cuentas = new Map();
    for (var r = 1; r <= ANEXO[1]; r++) {
        var marca = celdaanexo(1, r, 1).value;
        cuentas.set(marca, (cuentas.get(marca) || 0) + 1);
    }
    return cuentas;
}

// A brand may be chosen in one row only; the second choice is undone.
// `cuentas` (from cuentamarcas, counted once for a walk over every row) is
// kept up to date with the choice undone.
function validamarca(selector, cuentas) {
    var marca = selector.value;
    if (marca == "")
        return;
    cuentas = cuentas || cuentamarcas();
    if (cuentas.get(marca) < 2)
        return;
    cuentas.set(marca, cuentas.get(marca) - 1);
    alert(MENSAJEMARCAREPETIDA);
    if (recogiendo === null)  // collected, the count stands for the choice undone
        selector.value = "";
    selector.focus();
}

// The column totals as plain numbers, while the user fills the annex.
function actualizaTotales() {
    C.c2007.value = calculo_c2007();
    C.c2008.value = calculo_c2008();
    C.c2009.value = calculo_c2009();
}

// One past the last row of annex n that holds something other than empty
// cells and zeros; 1 when there is none.
function renglonbase(n) {
    for (var r = ANEXO[n]; r >= 1; r--)
        for (var k = 1; k <= maxcol; k++) {
            var valor = celdaanexo(n, r, k).value;
            if (valor != "" && Number(valor) != 0)
                return r + 1;
        }
    return 1;
}

// True when every cell of rows first to last of annex n is filled where
// required and fits its column; the first failure reports and ends the walk.
function anexovalido(first, last, n) {
    var valido = true;
    for (var r = first; r <= last && continua(valido); r++)
        for (var k = 1; k <= maxcol && continua(valido); k++) {
            var celda = celdaanexo(n, r, k);
            if (requerido(a[k], celda) || !bientipocontenido(a[k], celda))
                valido = false;
        }
    return valido;
}

// Records the rows of annex n as confirmed.
function confirma(n) {
    C["nrenglon" + n].value = 0;
    C["trenglon" + n].value = ANEXO[n];
}

// ---- Declaration XML and hand-over ----

// "Generar", once the rectification boxes agree: the annex rows up to the
// last one used must be complete and valid.
function validaarchivoanexo() {
    if (!anexoscompletos())
        return;
    formulas();
    for (var k = 1; k <= ANEXOS; k++)
        confirma(k);
    validaarchivo();
}

// True when the rows of every annex, up to the last one used, are complete
// and each of their cells fits its column.
function anexoscompletos() {
    var completos = true;
    for (var n = 1; n <= ANEXOS && continua(completos); n++) {
        var renglon = renglonbase(n);
        if (renglonesvacios(renglon, n))
            completos = false;
        if (continua(completos) && !anexovalido(1, renglon - 1, n))
            completos = false;
    }
    return completos;
}

// The period and every box must pass and the NIT hold no markup; the
// messages on the NIT's check digit do not stop the generation.
function validaarchivo() {
    if (!declaracionvalida())
        return;
    formulas();
    habilita();
    nitsinguion();
    genera();
}

function declaracionvalida() {
    return pasan([periodovigente, formulariovalido, nitsinmarcas]);
}

// A text as character data; a "]]>" inside it is split across two sections,
// which the reader joins again, so any text comes back as it was.
function cdata(texto) {
    return "<![CDATA[" + texto.split("]]>").join("]]]]><![CDATA[>") + "]]>";
}

function casillaxml(id, valor) {
    return " <CASILLA ID=\"" + id + "\">" + valor + "</CASILLA> ";
}

// The cells of the rows of annex n that carry a price other than 0, each
// under the number 10 * (row - 1) + 6 + column; unpriced rows keep their numbers.
function renglonesxml(n) {
    var xml = "";
    var renglones = Number(C["trenglon" + n].value);
    for (var r = 1; r <= renglones; r++) {
        var precio = celdaanexo(n, r, 2).value;
        if (precio == "" || Number(precio) == 0)
            continue;
        for (var k = 1; k <= maxcol; k++) {
            var valor = celdaanexo(n, r, k).value;
            xml += casillaxml(10 * (r - 1) + 6 + k, k == 1 ? cdata(valor) : valor);
        }
    }
    return xml;
}

// Boxes 2007 to 2029, an empty box as "0".
function casillasxml() {
    var xml = "";
    for (var i = PRIMERACASILLA; i <= ULTIMACASILLA; i++)
        xml += casillaxml(i, C["c" + i].value == "" ? "0" : C["c" + i].value);
    return xml;
}

// Today as dd/mm/yyyy.
function fechapresentacion() {
    var hoy = new Date();
    return dosdigitos(String(hoy.getDate())) + "/" + dosdigitos(String(hoy.getMonth() + 1)) +
           "/" + hoy.getFullYear();
}

// The declaration as one line of XML; values go in as the fields hold them,
// the name and the brands inside CDATA sections.
function declaracionxml() {
    return " <FORMULARIO NUMERO=\"" + C.c1.value + "\"> " +
           " <SOURCE>TRAMIXPC</SOURCE> " +
           " <REALSOURCE>TRAMIXLIGHT</REALSOURCE>" +
           " <VERSION>2.0</VERSION> " +
           " <CODIGO_FORMULARIO>731</CODIGO_FORMULARIO> " +
           " <NUMERO_VERSION>6</NUMERO_VERSION> " +
           " <ID_CAMBIO>1.5</ID_CAMBIO> " +
           " <NIT>" + C.c2.value + "</NIT> " +
           " <PERIODO_DESDE>" + C.anio_ini.value + C.mes_ini.value + C.dia_ini.value + "</PERIODO_DESDE> " +
           " <PERIODO_HASTA>" + C.anio_fin.value + C.mes_fin.value + C.dia_fin.value + "</PERIODO_HASTA> " +
           " <ANEXOS>0</ANEXOS> " +
           " <NOMBRE>" + cdata(C.c3.value) + "</NOMBRE> " +
           " <DIRECCION></DIRECCION> " +
           " <CONTADOR>0</CONTADOR> " +
           " <CASILLAS> " +
           casillaxml(6, C.c6.value) +
           renglonesxml(1) +
           casillasxml() +
           "<CASILLA ID=\"FECPRE\">" + fechapresentacion() + "</CASILLA>" +
           "<CASILLA ID=\"LUGPRE\">----------</CASILLA>" +
           " </CASILLAS> " +
           " <MONTO>" + C.c2029.value + "</MONTO> " +
           " </FORMULARIO> ";
}

// NIT, "7316", the year's last two digits, the month and the form number.
function numerodeclaracion() {
    var anio = C.anio_ini.value;
    return C.c2.value + "7316" + anio.substring(anio.length - 2) + C.mes_ini.value + C.c1.value;
}

// The annex cells, annex by annex and row by row.
function celdasanexo() {
    var celdas = [];
    for (var n = 1; n <= ANEXOS; n++)
        for (var r = 1; r <= ANEXO[n]; r++)
            for (var k = 1; k <= maxcol; k++)
                celdas.push(celdaanexo(n, r, k));
    return celdas;
}

// The fields besides the annex cells that the markup copy shows disabled:
// boxes, period fields and the "Generar" button.
function camposdeclaracion() {
    var campos = [];
    for (var i = MINELEMENT; i <= MAXELEMENT; i++)
        campos.push(C[c[i].id]);
    var otros = ["dia_ini", "mes_ini", "anio_ini", "dia_fin", "mes_fin", "anio_fin", "validar"];
    for (var j = 0; j < otros.length; j++)
        campos.push(C[otros[j]]);
    return campos;
}

// Writes what every field holds into its markup (value attribute, selected
// option), since the page's markup otherwise keeps only the values it was
// loaded with. Of a list's options only those marked selected and the one
// chosen can change.
function fijavalores() {
    var campos = C.elements;
    for (var i = 0; i < campos.length; i++) {
        var campo = campos[i];
        if (campo.tagName == "SELECT") {
            var elegido = campo.selectedIndex, opcion = campo.options[elegido];
            var marcadas = campo.querySelectorAll("option[selected]");
            for (var j = 0; j < marcadas.length; j++)
                if (marcadas[j] != opcion)
                    marcadas[j].defaultSelected = false;
            if (opcion)
                opcion.defaultSelected = true;
            campo.selectedIndex = elegido;
        } else if (campo.type == "text") {
            campo.defaultValue = campo.value;
        }
    }
}

// The form as after start-up: annex cells enabled, protected boxes read-only
// and disabled, only the month and year of the period open.
function restablececampos() {
    for (var n = 1; n <= ANEXOS; n++)
        for (var r = 1; r <= ANEXO[n]; r++)
            for (var k = 1; k <= maxcol; k++)
                celdaanexo(n, r, k).disabled = false;
    for (var i = MINELEMENT; i <= MAXELEMENT; i++) {
        var campo = C[c[i].id];
        campo.readOnly = c[i].protegido;
        campo.disabled = c[i].protegido;
    }
    C.mes_ini.disabled = false;
    C.anio_ini.disabled = false;
    C.validar.disabled = false;
    C.dia_ini.disabled = true;
    C.dia_fin.disabled = true;
    C.mes_fin.disabled = true;
    C.anio_fin.disabled = true;
}

// Disabling the focused field makes it lose the focus; that is no leave of
// the field, so its leave handler must not run (it would repeat its checks
// and messages).
function sinsalida(evento) {
    evento.stopPropagation();
}

// Stands in the markup for "disabled" on the annex cells while the copy is
// taken, and is replaced by it in the copy. No style rule looks at it, so
// marking the cells costs nothing, where disabling them and enabling them
// again has the engine restyle every brand option of every row. Its value, a
// double quote, is written &quot; in the markup, which no text of the page can
// be written as (a text's & is written &amp;), so only the marks are replaced.
var SUSTITUTODESHABILITADO = "data-deshabilitado";

// The page's markup with every field disabled, as the copy of the form shows
// it; the focus stays where it was.
function copiadeshabilitada() {
    var activo = document.activeElement;
    window.addEventListener("blur", sinsalida, true);
    var marcadas = [], deshabilitadas = [];
    celdasanexo().forEach(function (celda) {
        (celda.disabled ? deshabilitadas : marcadas).push(celda);
    });
    var campos = deshabilitadas.concat(camposdeclaracion());
    for (var i = 0; i < marcadas.length; i++)
        marcadas[i].setAttribute(SUSTITUTODESHABILITADO, "\"");
    for (var j = 0; j < campos.length; j++)
        campos[j].disabled = true;
    fijavalores();
    var html = document.body.innerHTML.split(" " + SUSTITUTODESHABILITADO + "=\"&quot;\"")
                                      .join(" disabled=\"\"");
    for (var k = 0; k < marcadas.length; k++)
        marcadas[k].removeAttribute(SUSTITUTODESHABILITADO);
    restablececampos();
    window.removeEventListener("blur", sinsalida, true);
    if (activo && activo != document.body)
        activo.focus();
    return html;
}

// Builds the declaration, its number and the markup copy and hands them to
// the host.
function genera() {
    var cadenaxml = declaracionxml();
    var numformulario = numerodeclaracion();
    var nitcontribuyente = C.c2.value;
    var cadenahtml = copiadeshabilitada();
    window.external.GeneraArchivo(cadenaxml, numformulario, cadenahtml, nitcontribuyente);
}

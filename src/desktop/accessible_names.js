// Names every field of a res: page for assistive technology with the text a
// person reads beside it, and says that the page is Spanish. The pages' own
// markup stays as it is: the names are added once the page is parsed, and
// to annex rows as they are added. Runs in a world of its own, so the page's
// scripts neither see nor disturb it.
(function () {
    "use strict";

    if (location.protocol !== "res:")
        return;

    // The boxes, by field name.
    var NOMBRES = {
        c2: "NIT del contribuyente",
        c3: "Nombre o razón social del contribuyente",
        dia_ini: "Período de imposición del, día",
        mes_ini: "Período de imposición del, mes",
        anio_ini: "Período de imposición del, año",
        dia_fin: "Período de imposición al, día",
        mes_fin: "Período de imposición al, mes",
        anio_fin: "Período de imposición al, año",
        renglones1: "Renglones a agregar",
        c2007: "Totales, Fabricados",
        c2008: "Totales, Inciso A",
        c2009: "Totales, Inciso B",
        c2010: "Impuesto determinado",
        c2011: "Deducciones calculadas, Inciso A",
        c2012: "Deducciones calculadas, Inciso B",
        c2013: "Deducciones máximas, porcentaje, Inciso A",
        c2014: "Deducciones máximas, porcentaje, Inciso B",
        c2015: "Deducciones máximas, valor, Inciso A",
        c2016: "Deducciones máximas, valor, Inciso B",
        c2017: "Deducciones a considerar, Inciso A",
        c2018: "Deducciones a considerar, Inciso B",
        c2019: "Impuesto a pagar",
        c2020: "No. de declaración que se rectifica",
        c2021: "Valor ingresado con la declaración que se rectifica",
        c2024: "Multa",
        c2025: "Intereses",
        c2026: "Mora",
        c2029: "Total a pagar"
    };

    // The balances, named by the block beside them, whose text the form
    // changes with the balance's sign.
    var LEYENDAS = { v2: "lyr2", v3: "lyr3" };

    // The annex cells "f1" + row + "c" + column: the column's heading and the row.
    var CELDA = /^f1(\d+)c([1-6])$/;
    var COLUMNAS = ["", "Marcas y presentación", "Precio sugerido", "Base Imponible", "Fabricados",
                    "Deducciones, Inciso A", "Deducciones, Inciso B"];

    function nombre(campo) {
        var celda = CELDA.exec(campo.name);
        if (celda)
            return COLUMNAS[Number(celda[2])] + ", renglón " + celda[1];
        return Object.prototype.hasOwnProperty.call(NOMBRES, campo.name) ? NOMBRES[campo.name] : null;
    }

    function nombra(campo) {
        var texto = nombre(campo);
        if (texto !== null) {
            if (campo.getAttribute("aria-label") !== texto)
                campo.setAttribute("aria-label", texto);
        } else if (Object.prototype.hasOwnProperty.call(LEYENDAS, campo.name)
                   && document.getElementById(LEYENDAS[campo.name])) {
            campo.setAttribute("aria-labelledby", LEYENDAS[campo.name]);
        }
    }

    function nombradentro(nodo) {
        if (nodo.nodeType !== Node.ELEMENT_NODE)
            return;
        if (nodo.matches("input, select"))
            nombra(nodo);
        nodo.querySelectorAll("input, select").forEach(nombra);
    }

    document.addEventListener("DOMContentLoaded", function () {
        document.documentElement.lang = "es";
        nombradentro(document.documentElement);
        new MutationObserver(function (cambios) {
            cambios.forEach(function (cambio) { cambio.addedNodes.forEach(nombradentro); });
        }).observe(document.documentElement, { childList: true, subtree: true });
    });
})();

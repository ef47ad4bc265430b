// Gives every res: page window.external with the one host method the form
// calls, GeneraArchivo(cadenaxml, numformulario, cadenahtml, nitcontribuyente).
// Each call goes to the host over the web channel and gives the script no
// value; calls made before the channel is up wait here and are sent in order
// as soon as it is. Where the host keeps a draft of the form (the channel's
// "borrador" object), it hears when the page has loaded and of every field
// left, choice changed and button pressed; so does the problems panel. The channel client below is kept private to this scope.
(function () {
    "use strict";

    if (location.protocol !== "res:")
        return;

    /*QWEBCHANNEL_JS*/

    // A box blurred while it stays the page's focused element has not been
    // left: the page itself lost the focus (to a message box, another window
    // or another program). Its leave handler must not run then, or a refused
    // box's message would bring itself back each time it is closed. The
    // engine keeps the box focused, with its caret, for when the page is back.
    window.addEventListener("blur", function (event) {
        if (event.target !== window && event.target === document.activeElement)
            event.stopImmediatePropagation();
    }, true);

    var host = null;
    var waiting = [];

    function asText(value) {
        return value === undefined || value === null ? "" : String(value);
    }

    function send(texts) {
        host.GeneraArchivo(texts[0], texts[1], texts[2], texts[3]);
    }

    // The draft hears once that the page has loaded, whichever of the load
    // and the channel comes first. A load listener added once the page is
    // parsed runs after the load handler its body set.
    var loaded = false, draft = null, problems = null;
    document.addEventListener("DOMContentLoaded", function () {
        window.addEventListener("load", function () {
            loaded = true;
            if (draft)
                draft.PaginaCargada();
            if (problems)
                problems.PaginaCargada();
        });
    });

    function reportToDraft(borrador) {
        if (!borrador)
            return;
        draft = borrador;
        var report = function () { borrador.CasillaDejada(); };
        ["focusout", "change", "click"].forEach(function (type) {
            document.addEventListener(type, report, true);
        });
        if (loaded)
            borrador.PaginaCargada();
    }

    // The problems panel (the channel's "problemas" object) hears the same,
    // with the name of the field or button each time.
    function reportToProblems(problemas) {
        if (!problemas)
            return;
        problems = problemas;
        var report = function (event) {
            problemas.CasillaDejada(String(event.target.name || event.target.id || ""));
        };
        ["focusout", "change", "click"].forEach(function (type) {
            document.addEventListener(type, report, true);
        });
        if (loaded)
            problemas.PaginaCargada();
    }

    var external = Object.freeze({
        GeneraArchivo: function (cadenaxml, numformulario, cadenahtml, nitcontribuyente) {
            var texts = [asText(cadenaxml), asText(numformulario), asText(cadenahtml),
                         asText(nitcontribuyente)];
            if (host)
                send(texts);
            else
                waiting.push(texts);
        }
    });
    Object.defineProperty(window, "external", { value: external, enumerable: true });

    new QWebChannel(qt.webChannelTransport, function (channel) {
        host = channel.objects.external;
        waiting.forEach(send);
        waiting = [];
        reportToDraft(channel.objects.borrador);
        reportToProblems(channel.objects.problemas);
        host.CanalListo();
    });
})();

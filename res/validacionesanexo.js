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

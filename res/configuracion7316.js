// configuracion7316: constants, the box table, the annex column table,
// the box formulas and the minimum taxable base.

// ---- Constants, box table and formulas ----

// ---- Brand annex: column table and minimum taxable base ----

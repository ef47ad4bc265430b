// Page functions: browser flag, label changes, period and date checks,
// NIT check.

// ---- Brand annex: row builders ----

// formato: number formatting.

// validaciones: field validation and the recalculation pass.

// validacionesanexo: brand annex checks and the generation of the declaration.

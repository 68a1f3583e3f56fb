## write_outputs (DIR): the replay's outputs in DIR/reference.csv written back as MAT
## files for a comparison: outputs_matrix.mat (N-by-6 single, -v7), outputs_struct.mat
## (a structure with time, -v6), outputs_signals.mat (one variable per output, -v6), and
## outputs_changed.mat, the matrix with one value one single apart.
function write_outputs (dir)
  y = single (dlmread (fullfile (dir, "reference.csv"), ",", 1, 0));
  names = {"vabcNorm1_a", "vabcNorm1_b", "vabcNorm1_c", "vabcNorm2_a", "vabcNorm2_b", ...
           "vabcNorm2_c"};
  outputs = y;
  save ("-v7", fullfile (dir, "outputs_matrix.mat"), "outputs");
  run.time = (0:rows (y)-1)' * 5e-5;
  run.signals.values = y;
  save ("-v6", fullfile (dir, "outputs_struct.mat"), "run");
  for k = 1:6
    signals.(names{k}) = y(:, k);
  endfor
  save ("-v6", fullfile (dir, "outputs_signals.mat"), "-struct", "signals");
  outputs(100, 2) = outputs(100, 2) + eps (outputs(100, 2));
  save ("-v6", fullfile (dir, "outputs_changed.mat"), "outputs");
endfunction

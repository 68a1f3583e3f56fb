## write_labels (DIR): the structure with time of DIR/struct_v6.mat (write_layouts) with
## its columns shuffled and named by signals.label, as Octave saves it: a char matrix
## and a cell of strings, each -v6 and -v7 (labels_char_vN.mat, labels_cell_vN.mat); and
## labels to refuse: one naming no signal (label_unknown.mat), one naming a signal twice
## (label_twice.mat), and one label short (label_short.mat, compressed).
function write_labels (dir)
  names = {"iabc1_a", "iabc1_b", "iabc1_c", "theta1", "omega1", "iabc2_a", "iabc2_b", ...
           "iabc2_c", "theta2", "omega2", "udc", "iqCommand", "steerAngle"};
  load (fullfile (dir, "struct_v6.mat"), "log");
  order = [13 2 5 1 4 3 7 6 9 8 11 10 12];
  x.time = log.time;
  x.signals.values = log.signals.values(:, order);
  x.signals.dimensions = 13;
  for v = {"-v6", "-v7"}
    tag = strrep (v{1}, "-", "_");
    x.signals.label = char (names(order){:});
    save (v{1}, fullfile (dir, ["labels_char" tag ".mat"]), "x");
    x.signals.label = names(order);
    save (v{1}, fullfile (dir, ["labels_cell" tag ".mat"]), "x");
  endfor
  x.signals.label = names(order);
  x.signals.label{4} = "theta9";
  save ("-v6", fullfile (dir, "label_unknown.mat"), "x");
  x.signals.label{4} = "iabc1_b";
  save ("-v6", fullfile (dir, "label_twice.mat"), "x");
  x.signals.label = char (names(order)(1:12){:});
  save ("-v7", fullfile (dir, "label_short.mat"), "x");
endfunction

## check_mat_replays (DIR): the MAT outputs of `corvalent2 replay` of the MAT files
## write_layouts wrote (out_<layout>_<version>.mat) hold, in the input's layout, the
## very singles of the replay of rows.csv (DIR/reference.csv), and the input's time
## unchanged. Errors name the file and what differs.
function check_mat_replays (dir)
  y = single (dlmread (fullfile (dir, "reference.csv"), ",", 1, 0));
  names = {"vabcNorm1_a", "vabcNorm1_b", "vabcNorm1_c", "vabcNorm2_a", "vabcNorm2_b", ...
           "vabcNorm2_c"};
  for v = {"v6", "v7"}
    input = @(layout) load (fullfile (dir, [layout "_" v{1} ".mat"]));
    output = @(layout) load (fullfile (dir, ["out_" layout "_" v{1} ".mat"]));
    tag = @(layout) ["out_" layout "_" v{1} ".mat"];

    o = output ("matrix13");
    same_singles (o.matrix13, y, tag ("matrix13"));

    i = input ("matrix14");
    o = output ("matrix14");
    expect (isa (o.matrix14, "double") && columns (o.matrix14) == 7, tag ("matrix14"), "N-by-7 double");
    same_doubles (o.matrix14(:, 1), i.matrix14(:, 1), [tag("matrix14") " time"]);
    same_singles (single (o.matrix14(:, 2:7)), y, tag ("matrix14"));

    i = input ("struct");
    o = output ("struct");
    same_doubles (o.log.time, i.log.time, [tag("struct") " log.time"]);
    same_singles (o.log.signals.values, y, [tag("struct") " log.signals.values"]);
    expect (o.log.signals.dimensions == 6, tag ("struct"), "signals.dimensions 6");

    o = output ("signals");
    for k = 1:6
      same_singles (o.(names{k}), y(:, k), [tag("signals") " " names{k}]);
    endfor
    expect (! isfield (o, "time"), tag ("signals"), "no time: the input had none");
  endfor
endfunction

function expect (ok, file, what)
  if (! ok)
    error ("%s: expected %s", file, what);
  endif
endfunction

function same_singles (a, b, what)
  expect (isa (a, "single") && isequal (size (a), size (b)), what, sprintf ("%d-by-%d single", rows (b), columns (b)));
  expect (isequal (typecast (a(:), "uint32"), typecast (b(:), "uint32")), what, "the bits of the CSV replay");
endfunction

function same_doubles (a, b, what)
  expect (isa (a, "double") && isequal (size (a), size (b)), what, "the input's time, as doubles");
  expect (isequal (typecast (a(:), "uint64"), typecast (b(:), "uint64")), what, "the input's time bit for bit");
endfunction
